#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What an indicator's unit and kind let its value be.
enum class UnitRule {
    None,             // a unit the table does not know
    NotNegative,      // every unit of the shipped catalogue
    WholeNotNegative, // counts of people and things of a statistical indicator
    Percent,          // from 0 to 100
};

// The rule for a unit as the catalogue spells it (Windows-1251) and a kind ("C" or "A").
UnitRule unitRuleFor(const QByteArray &measure, const QByteArray &kind);
// Why value breaks rule, with the value in number text; nothing when it passes.
std::optional<QString> unitBreach(UnitRule rule, double value);
