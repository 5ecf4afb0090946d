#include "diagram_store.h"

#include "platform/metafile.h"
#include "platform/numtext.h"

#include <QFile>

DiagramReading DiagramStore::read(const Source &source)
{
    DiagramReading reading;
    for (std::size_t i = 0; i < DiagramNumbers.size(); ++i) {
        QString error;
        reading.store.drawings[i] = platform::Metafile::fromBytes(source(DiagramNumbers[i]), &error);
        if (!reading.store.drawings[i] && reading.complete()) {
            reading.failedNumber = DiagramNumbers[i];
            reading.reason = error;
        }
    }
    return reading;
}

DiagramReading DiagramStore::readEmbedded()
{
    return read([](int diagramNumber) {
        QFile file(QStringLiteral(":/diagrams/Pic%1.wmf").arg(diagramNumber));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    });
}

DiagramStore DiagramStore::embedded()
{
    return readEmbedded().store;
}

DiagramStore::Drawing DiagramStore::find(QStringView diagramNumber) const
{
    const int index = diagramIndex(platform::leadingNumber(diagramNumber));
    return index < 0 ? nullptr : drawings[std::size_t(index)];
}

QString DiagramReading::failureMessage() const
{
    return QStringLiteral("The diagram drawing Pic%1 cannot be read (%2); the installation is "
                          "damaged.")
        .arg(failedNumber)
        .arg(reason);
}
