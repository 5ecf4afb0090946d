#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit Western code page the metafile text records use.
namespace platform {

// Characters the code page lacks become '?'.
QByteArray toCodePage1252(QStringView text);

QString fromCodePage1252(QByteArrayView bytes);

} // namespace platform
