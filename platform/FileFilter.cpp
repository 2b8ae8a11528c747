#include "platform/FileFilter.h"

#include "platform/LocalText.h"

QStringList QtNameFilters(const std::string& filter) {
    const QStringList fields = FromLocal8Bit(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString& name = fields[i];
        if (name.isEmpty()) {
            break; // the empty pair ends the list
        }
        const QString patterns =
            fields[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        // Qt takes the patterns from the parentheses of the name; the name keeps its text
        // and the pattern field decides what is listed.
        const QString shown = QStringLiteral(" (") + patterns + QStringLiteral(")");
        result << (name.endsWith(shown) ? name : name + shown);
    }
    return result;
}
