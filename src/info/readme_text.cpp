#include "readme_text.h"

#include <QFile>

QString readMeText()
{
    QFile file(QStringLiteral(":/info/readme.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("The READ ME text is missing from the program's resources");
    return QString::fromUtf8(file.readAll());
}
