// How the game writes a number into a caption: a space where the sign would
// stand (a minus for a negative number), then the digits, with no thousands
// separators and no decimal point for a whole number. A number that is not
// whole shows the fewest decimals that give it back exactly (" 12.5").
#pragma once

#include <QLocale>
#include <QString>

#include <cmath>

inline QString NumberText(double value) {
    const QString sign = value < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    return sign + QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
}
