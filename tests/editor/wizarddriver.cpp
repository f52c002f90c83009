#include "wizarddriver.h"

#include "map.h"
#include "tarvenix.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

ThreeCountries ThreeCountries::onEurope()
{
    ThreeCountries plan;
    // Each border runs from one sea to another.
    plan.westBorder = QLine(392, 270, 432, 294);
    plan.eastBorder = QLine(466, 286, 498, 276);
    plan.inAlpha = QPoint(370, 300);
    plan.inBeta = QPoint(498, 305);
    plan.inGamma = QPoint(418, 190);
    plan.alphaLabel = QPoint(360, 310);
    plan.gammaLabel = QPoint(414, 180);
    plan.alphaArea = QRect(320, 255, 120, 95);
    plan.betaArea = QRect(465, 270, 80, 100);
    plan.gammaArea = QRect(380, 120, 60, 100);
    plan.seaLine = QLine(plan.inAlpha, plan.inGamma);
    return plan;
}

WizardDriver::WizardDriver(Tarvenix* window) : m_editor(window->mapEditor()), m_board(window->map())
{}

QPoint WizardDriver::onBoard(QPoint picture) const
{
    return m_board->fromPicture(picture);
}

void WizardDriver::expectPage(MapEditor::Page expected)
{
    if (page() == expected)
        return;
    const QMetaEnum pages = QMetaEnum::fromType<MapEditor::Page>();
    m_errors << QStringLiteral("on %1 instead of %2")
                    .arg(QLatin1String(pages.valueToKey(page())),
                         QLatin1String(pages.valueToKey(expected)));
}

template <typename T> T* WizardDriver::find(const char* name)
{
    QWidget* page = m_editor->currentWidget();
    T* widget = page->findChild<T*>(name ? QString::fromLatin1(name) : QString());
    if (!widget)
        m_errors << QStringLiteral("no %1 %2 on %3")
                        .arg(QLatin1String(T::staticMetaObject.className()),
                             QLatin1String(name ? name : ""), page->objectName());
    return widget;
}

void WizardDriver::press(const char* button)
{
    if (auto* b = find<QPushButton>(button))
        QTest::mouseClick(b, Qt::LeftButton);
}

void WizardDriver::type(const QString& text)
{
    if (auto* edit = find<QLineEdit>(nullptr)) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
}

void WizardDriver::choose(const char* combo, int entry)
{
    auto* box = find<QComboBox>(combo);
    if (box && entry >= box->count())
        m_errors << QStringLiteral("no entry %1 in %2").arg(entry).arg(QLatin1String(combo));
    else if (box)
        box->setCurrentIndex(entry);
}

void WizardDriver::drag(QPoint from, QPoint to)
{
    QTest::mousePress(m_board, Qt::LeftButton, {}, onBoard(from));
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(m_board, onBoard(from + (to - from) * step / 4));
    QTest::mouseRelease(m_board, Qt::LeftButton, {}, onBoard(to));
}

void WizardDriver::click(QPoint at)
{
    QTest::mouseClick(m_board, Qt::LeftButton, {}, onBoard(at));
}

void WizardDriver::drawThreeCountries(const ThreeCountries& plan, int slotEntry,
                                      const QString& name)
{
    expectPage(MapEditor::IntroPage);
    press("EditorContinueButton");
    auto* pictures = find<QComboBox>(nullptr);
    if (pictures && pictures->findData(plan.picture) < 0)
        m_errors << QStringLiteral("no picture %1").arg(plan.picture);
    else if (pictures)
        pictures->setCurrentIndex(pictures->findData(plan.picture));
    press("EditorContinueButton");
    press("EditorPaintButton");
    drag(plan.westBorder.p1(), plan.westBorder.p2());
    drag(plan.eastBorder.p1(), plan.eastBorder.p2());
    press("EditorContinueButton");
    expectPage(MapEditor::PreviewPage);
    press("EditorYesButton");

    for (const auto& [continent, value] : {std::pair{"West", 3}, {"East", 5}}) {
        expectPage(MapEditor::ContinentPage);
        type(QString::fromLatin1(continent));
        if (auto* spin = find<QSpinBox>(nullptr))
            spin->setValue(value);
        press("EditorContinueButton");
        press(value == 3 ? "EditorYesButton" : "EditorNoButton");
    }

    struct Country
    {
        const char* name;
        int continent;
        QPoint inside;
        QPoint label;
    };
    const Country countries[] = {{"Alpha", 0, plan.inAlpha, plan.alphaLabel},
                                 {"Beta", 1, plan.inBeta, {}},
                                 {"Gamma", 1, plan.inGamma, plan.gammaLabel}};
    for (const Country& country : countries) {
        const bool last = &country == &countries[2];
        expectPage(MapEditor::CountryPage);
        type(QString::fromLatin1(country.name));
        choose("EditorContinentCombo", country.continent);
        press("EditorContinueButton");
        expectPage(MapEditor::AreaPage);
        click(country.inside);
        if (last)
            click(country.inside + QPoint(0, 5));
        press("EditorContinueButton");
        expectPage(MapEditor::PositionPage);
        if (!country.label.isNull())
            click(country.label);
        press("EditorContinueButton");
        press(last ? "EditorNoButton" : "EditorYesButton");
    }

    expectPage(MapEditor::LinesPage);
    press("EditorPaintButton");
    drag(plan.seaLine.p1(), plan.seaLine.p2());
    press("EditorContinueButton");
    // Each country in turn picks the next as its neighbour.
    expectPage(MapEditor::NeighbourPage);
    for (QPoint next : {plan.inBeta, plan.inGamma, plan.inAlpha}) {
        click(next);
        press("EditorContinueButton");
    }
    press("EditorYesButton");
    expectPage(MapEditor::SlotsPage);
    choose("EditorSlotCombo", slotEntry);
    type(name);
    press("EditorContinueButton");
    expectPage(MapEditor::IntroPage);
}
