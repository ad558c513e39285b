#pragma once

#include <QString>

// Which of the three Ukrainian forms agrees with count: 0 after 1, 21, 101 ("заклад"), 1 after
// 2 to 4, 22 to 24 ("заклади"), 2 after the rest, 11 to 14 included ("закладів").
int pluralForm(int count);
// The count and the word in the form that agrees with it: "21 заклад", "3 значення", "5 значень".
QString countText(int count, QStringView one, QStringView few, QStringView many);
