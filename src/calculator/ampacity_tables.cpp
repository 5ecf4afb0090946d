#include "ampacity_tables.h"

#include "table_d10.h"
#include "table_d11.h"
#include "table_d8.h"
#include "table_d9.h"

const AmpacityList &findList(AmpacityTable table, QStringView code)
{
    for (const AmpacityList &list : table) {
        if (code == QLatin1StringView(list.code))
            return list;
    }
    return table.front();
}

QString ampacityItem(int amps)
{
    return QStringLiteral("    ") + QString::number(amps) + QStringLiteral(" A");
}

AmpacityTable tableD8()
{
    return TableD8;
}

AmpacityTable tableD9()
{
    return TableD9;
}

AmpacityTable tableD10()
{
    return TableD10;
}

AmpacityTable tableD11()
{
    return TableD11;
}
