// Open-file dialog filters written as "Name (*.x)|*.x|Other|*.y;*.z||": pairs of a name and
// its patterns, separated by "|", ended by an empty pair.
#pragma once

#include <QStringList>
#include <string>

// The filters in Qt's form, one "Name (patterns)" per pair, patterns separated by spaces.
QStringList QtNameFilters(const std::string& filter);
