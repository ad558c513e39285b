#pragma once

#include "indicators/document.h"
#include "indicators/model.h"
#include "mainwindow/mainwindow.h"
#include "testing/scriptedboxes.h"

#include <QTemporaryDir>

#include <memory>
#include <vector>

// The fastest of a benchmark's repetitions: the figure least disturbed by the machine.
double fastest(const std::vector<double> &times);

// The catalogue sizes every benchmark runs at.
#define ZORIS_SIZES ->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->ComputeStatistics("min", fastest)

// A generated catalogue of indicators with a value in each, and a school's name.
IndicatorModel filledModel(int indicators);

// A working folder holding a generated catalogue and the school's name, made current; with
// rules, a rules file with a rule about every indicator: each the sum of the next two, the last
// two not negative.
class WorkingFolder
{
public:
    explicit WorkingFolder(int indicators, bool withRules = false);

private:
    QTemporaryDir m_dir;
};

// The main window over a generated catalogue, 1280 x 1024, shown, active and painted.
class ShownMainWindow
{
public:
    explicit ShownMainWindow(int indicators, bool withRules = false);

    WorkingFolder folder;
    IndicatorModel model;
    IndicatorDocument document{model};
    ScriptedBoxes boxes;
    std::unique_ptr<TForm1> form;
};

// Shows the window and returns once its widget has been painted for the first time.
void showUntilPainted(QWidget &window, QWidget &painted);
