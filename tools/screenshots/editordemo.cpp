// Walks the map editor on the Africa picture up to one step and stays there,
// so the wizard's page and the board at that step can be looked at.
// Usage: editordemo STEP [SECONDS]; editordemo --list prints the steps.

#include "map.h"
#include "mapeditor.h"
#include "settings.h"
#include "tarvenix.h"
#include "wizarddriver.h"

#include <QApplication>
#include <QDir>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <tcl.h>

#include <cstdio>
#include <functional>

namespace {

struct Step
{
    const char* name;
    std::function<void(WizardDriver&)> act;
};

void setValue(WizardDriver& d, int value)
{
    d.editor()->currentWidget()->findChild<QSpinBox*>()->setValue(value);
}

// A country with its area clicked and its label placed, ending on the
// question whether there are more.
void country(WizardDriver& d, const QString& name, int continent, QList<QPoint> area, QPoint label)
{
    d.type(name);
    d.choose("EditorContinentCombo", continent);
    d.press("EditorContinueButton");
    for (QPoint p : area)
        d.click(p);
    d.press("EditorContinueButton");
    d.click(label);
    d.press("EditorContinueButton");
}

// Africa cut in three across the Sahel and down the Nile, with Madagascar
// apart; each step starts on the page the one before ends on.
const Step Steps[] = {
    {"intro",
     [](WizardDriver&) {
     }},
    {"source",
     [](WizardDriver& d) {
         d.press("EditorContinueButton");
         d.choose("EditorSourceCombo", 1);
     }},
    {"borders",
     [](WizardDriver& d) {
         d.press("EditorContinueButton");
     }},
    {"borders-drawing",
     [](WizardDriver& d) {
         d.press("EditorPaintButton");
         d.drag({425, 205}, {520, 203});
         d.drag({520, 203}, {625, 206});
         d.drag({520, 203}, {505, 110});
         // The last border is still being dragged: the rubber band shows.
         QTest::mousePress(d.board(), Qt::LeftButton, {}, d.board()->fromPicture(QPoint(505, 110)));
         QTest::mouseMove(d.board(), d.board()->fromPicture(QPoint(520, 40)));
     }},
    {"preview",
     [](WizardDriver& d) {
         QTest::mouseRelease(d.board(), Qt::LeftButton, {},
                             d.board()->fromPicture(QPoint(520, 18)));
         d.press("EditorContinueButton");
     }},
    {"continent",
     [](WizardDriver& d) {
         d.press("EditorYesButton");
         d.type(QStringLiteral("Sahara"));
         setValue(d, 5);
     }},
    {"continent-continue",
     [](WizardDriver& d) {
         d.press("EditorContinueButton");
     }},
    {"country",
     [](WizardDriver& d) {
         d.press("EditorYesButton");
         d.type(QStringLiteral("South"));
         setValue(d, 3);
         d.press("EditorContinueButton");
         d.press("EditorNoButton");
         d.type(QStringLiteral("Maghreb"));
     }},
    {"area",
     [](WizardDriver& d) {
         d.press("EditorContinueButton");
         d.click({400, 120});
     }},
    {"position",
     [](WizardDriver& d) {
         d.press("EditorContinueButton");
     }},
    {"country-continue",
     [](WizardDriver& d) {
         d.click({430, 150});
         d.press("EditorContinueButton");
     }},
    {"lines",
     [](WizardDriver& d) {
         d.press("EditorYesButton");
         country(d, QStringLiteral("Nile"), 0, {{560, 150}}, {555, 160});
         d.press("EditorYesButton");
         country(d, QStringLiteral("Cape"), 1, {{520, 280}}, {515, 290});
         d.press("EditorYesButton");
         country(d, QStringLiteral("Madagascar"), 1, {{622, 312}}, {618, 318});
         d.press("EditorNoButton");
         d.press("EditorPaintButton");
         d.drag({575, 310}, {615, 312});
     }},
    {"neighbours",
     [](WizardDriver& d) {
         d.press("EditorContinueButton");
         d.click({560, 150});
         d.click({520, 280});
     }},
    {"neighbours-later",
     [](WizardDriver& d) {
         d.press("EditorContinueButton");
         d.press("EditorContinueButton");
         d.click({622, 312});
     }},
    {"store",
     [](WizardDriver& d) {
         d.press("EditorContinueButton");
         d.press("EditorContinueButton");
     }},
    {"slots",
     [](WizardDriver& d) {
         d.press("EditorYesButton");
         d.choose("EditorSlotCombo", 1);
         d.type(QStringLiteral("Three Africas"));
     }},
};

} // namespace

int main(int argc, char* argv[])
{
    const QString wanted = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (wanted == QLatin1String("--list")) {
        for (const Step& step : Steps)
            std::printf("%s\n", step.name);
        return 0;
    }
    const auto last = std::find_if(std::begin(Steps), std::end(Steps),
                                   [&](const Step& s) { return wanted == QLatin1String(s.name); });
    if (last == std::end(Steps)) {
        std::fprintf(stderr, "usage: editordemo STEP [SECONDS] (editordemo --list)\n");
        return 2;
    }

    Tcl_FindExecutable(argv[0]);
    Settings settings(QDir::temp().filePath(QStringLiteral("editordemo.cfg")));
    QApplication app(argc, argv);
    Tarvenix window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.showEditor();
    WizardDriver driver(&window);
    for (auto step = std::begin(Steps); step <= last; ++step)
        step->act(driver);
    for (const QString& error : driver.errors())
        std::fprintf(stderr, "%s\n", qPrintable(error));

    const int seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5;
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
