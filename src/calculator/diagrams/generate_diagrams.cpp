// Writes every diagram drawing as Pic<number>.wmf into the directory named on the command
// line, for the build to embed.
#include "diagram_catalog.h"
#include "diagram_lookup.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output-directory\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    for (const int number : DiagramNumbers) {
        const QByteArray bytes = diagrams::drawDiagram(number);
        const QString path = out.filePath(QStringLiteral("Pic%1.wmf").arg(number));
        QFile file(path);
        if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly)
            || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
