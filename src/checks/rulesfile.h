#pragma once

#include "rule.h"

#include "indicators/catalogfile.h"

#include <QByteArray>
#include <QList>
#include <QString>

class IndicatorModel;

// The rules file (RulesFileName): one rule a line, a label, a comparison (=, <=, >=, <, >) and
// labels and numbers joined by + and -, then after an optional ";" the rule's own words; blank
// lines and lines starting with "#" say nothing.

struct RuleFault
{
    int line = 0; // 0: the file as a whole
    QString reason;
};

struct RuleSet
{
    QList<Rule> rules;
    QList<RuleFault> faults; // lines left out, and why
};

// The rules in the bytes of a rules file (Windows-1251), labels looked up in the catalogue
// (the first indicator of a label counts); a line that does not read or names a label the
// catalogue lacks is left out with its fault.
RuleSet readRules(const QByteArray &bytes, const IndicatorModel &model);
// The rules file at path: no rules when there is none; a file that cannot be read is one fault.
RuleSet loadRulesFile(const QString &path, const IndicatorModel &model);
// The one warning about the faults, a line for each; empty when there are none.
QString rulesFaultsText(const QList<RuleFault> &faults);
