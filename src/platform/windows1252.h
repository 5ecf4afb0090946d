#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit Western code page the metafile text records use.
namespace platform {

// Characters the code page lacks become '?'.
QByteArray toWindows1252(QStringView text);

QString fromWindows1252(QByteArrayView bytes);

} // namespace platform
