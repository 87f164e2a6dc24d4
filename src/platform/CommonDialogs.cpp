#include "CommonDialogs.h"

#include <QFileDialog>

namespace QXPlatform {

namespace {

THelpHandler &helpHandler()
{
    static THelpHandler handler;
    return handler;
}

} // namespace

THelpHandler SetHelpHandler(THelpHandler Handler)
{
    return std::exchange(helpHandler(), std::move(Handler));
}

void ShowHelp(int HelpContext)
{
    if (const THelpHandler &handler = helpHandler())
        handler(HelpContext);
}

QStringList ConvertFileFilter(const QString &Filter)
{
    QStringList filters;
    const QStringList parts = Filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        QStringList patterns;
        for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (trimmed.isEmpty())
                continue;
            patterns << trimmed;
            // "*.*" means every file, also one without a dot in its name.
            if (trimmed == QLatin1String("*.*"))
                patterns.last() = QStringLiteral("*");
            else if (trimmed.toLower() != trimmed)
                patterns << trimmed.toLower();
        }
        if (patterns.isEmpty())
            continue;
        patterns.removeDuplicates();
        // Qt reads the patterns from the parentheses at the end of the description, so the written ones
        // make way for the converted list.
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            if (open >= 0)
                description = description.left(open).trimmed();
        }
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

void SetFileFilter(QFileDialog &Dialog, const QString &Filter, int FilterIndex)
{
    const QStringList filters = ConvertFileFilter(Filter);
    Dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        Dialog.selectNameFilter(filters.value(FilterIndex - 1, filters.first()));
}

} // namespace QXPlatform
