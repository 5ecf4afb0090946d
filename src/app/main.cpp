#include "calculator/diagrams/diagram_store.h"
#include "calculator/zediz.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Loamvane"));
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    const DiagramStore drawings = DiagramStore::embedded();
    Zediz window(drawings);
    window.show();
    return QApplication::exec();
}
