#include "diagram_store.h"

#include "platform/metafile.h"
#include "platform/numtext.h"

#include <QFile>

DiagramStore DiagramStore::embedded()
{
    DiagramStore store;
    for (std::size_t i = 0; i < DiagramNumbers.size(); ++i) {
        QFile file(QStringLiteral(":/diagrams/Pic%1.wmf").arg(DiagramNumbers[i]));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QString error;
        store.drawings[i] = platform::Metafile::fromBytes(file.readAll(), &error);
        if (!store.drawings[i])
            qWarning("Diagram %d is unreadable: %s", DiagramNumbers[i], qPrintable(error));
    }
    return store;
}

DiagramStore::Drawing DiagramStore::find(QStringView diagramNumber) const
{
    const int index = diagramIndex(platform::leadingNumber(diagramNumber));
    return index < 0 ? nullptr : drawings[std::size_t(index)];
}
