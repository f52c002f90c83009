#include "wizarddriver.h"

#include "map.h"
#include "tarvenix.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

QImage landPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    const QRect land(2, 2, size.width() - 4, size.height() - 4);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb ground = qRgb(40 + (3 * x) % 160, 120 + (2 * y) % 100, 60);
            image.setPixel(x, y, land.contains(x, y) ? ground : qRgb(16, 48, 160));
        }
    }
    return image;
}

ThreeCountries::ThreeCountries(QSize picture)
{
    const int w = picture.width();
    const int h = picture.height();
    const int west = w / 3;
    const int east = 2 * w / 3;
    // From sea to sea, so that each border cuts the land in two.
    westBorder = QLine(west, 0, west, h - 1);
    eastBorder = QLine(east, 0, east, h - 1);
    // A border is one pixel with a halo pixel on either side.
    alphaArea = QRect(QPoint(2, 2), QPoint(west - 2, h - 3));
    betaArea = QRect(QPoint(west + 2, 2), QPoint(east - 2, h - 3));
    gammaArea = QRect(QPoint(east + 2, 2), QPoint(w - 3, h - 3));
    inAlpha = QPoint(west / 2, h / 3);
    inBeta = QPoint((west + east) / 2, h / 3);
    inGamma = QPoint((east + w) / 2, h / 3);
    alphaLabel = QPoint(west / 3, 2 * h / 3);
    gammaLabel = QPoint((east + w) / 2 + 2, 2 * h / 3);
    seaLine = QLine(inAlpha.x(), 5 * h / 6, inGamma.x(), 5 * h / 6);
}

ThreeCountries ThreeCountries::onEurope()
{
    ThreeCountries plan(QSize(780, 400));
    plan.picture = QStringLiteral("europe");
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

void WizardDriver::press(const char* button)
{
    auto* b = m_editor->currentWidget()->findChild<QPushButton*>(QLatin1String(button));
    if (!b) {
        m_errors << QStringLiteral("no %1 on %2")
                        .arg(QLatin1String(button), m_editor->currentWidget()->objectName());
        return;
    }
    QTest::mouseClick(b, Qt::LeftButton);
}

void WizardDriver::type(const QString& text)
{
    auto* edit = m_editor->currentWidget()->findChild<QLineEdit*>();
    if (!edit) {
        m_errors << QStringLiteral("nothing to type into on %1")
                        .arg(m_editor->currentWidget()->objectName());
        return;
    }
    edit->clear();
    QTest::keyClicks(edit, text);
}

void WizardDriver::choose(const char* combo, int entry)
{
    auto* box = m_editor->currentWidget()->findChild<QComboBox*>(QLatin1String(combo));
    if (!box || entry >= box->count()) {
        m_errors << QStringLiteral("no entry %1 in %2").arg(entry).arg(QLatin1String(combo));
        return;
    }
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

void WizardDriver::openOn(const QString& picture)
{
    expectPage(MapEditor::IntroPage);
    press("EditorContinueButton");
    auto* box = m_editor->currentWidget()->findChild<QComboBox*>();
    const int entry = box ? box->findData(picture) : -1;
    if (entry < 0)
        m_errors << QStringLiteral("no picture %1").arg(picture);
    else
        box->setCurrentIndex(entry);
    press("EditorContinueButton");
    expectPage(MapEditor::BordersPage);
}

void WizardDriver::paintBorders(const ThreeCountries& plan)
{
    press("EditorPaintButton");
    drag(plan.westBorder.p1(), plan.westBorder.p2());
    drag(plan.eastBorder.p1(), plan.eastBorder.p2());
    press("EditorContinueButton");
    expectPage(MapEditor::PreviewPage);
}

void WizardDriver::makeContinents()
{
    for (const auto& [name, value] : {std::pair{"West", 3}, {"East", 5}}) {
        expectPage(MapEditor::ContinentPage);
        type(QString::fromLatin1(name));
        m_editor->currentWidget()->findChild<QSpinBox*>()->setValue(value);
        press("EditorContinueButton");
        press(value == 3 ? "EditorYesButton" : "EditorNoButton");
    }
    expectPage(MapEditor::CountryPage);
}

void WizardDriver::makeCountries(const ThreeCountries& plan)
{
    struct Step
    {
        const char* name;
        int continent;
        QPoint inside;
        QPoint label;
    };
    const Step steps[] = {{"Alpha", 0, plan.inAlpha, plan.alphaLabel},
                          {"Beta", 1, plan.inBeta, {}},
                          {"Gamma", 1, plan.inGamma, plan.gammaLabel}};
    for (const Step& step : steps) {
        const bool last = &step == &steps[2];
        expectPage(MapEditor::CountryPage);
        type(QString::fromLatin1(step.name));
        choose("EditorContinentCombo", step.continent);
        press("EditorContinueButton");
        expectPage(MapEditor::AreaPage);
        click(step.inside);
        if (last)
            click(step.inside + QPoint(0, 5));
        press("EditorContinueButton");
        expectPage(MapEditor::PositionPage);
        if (!step.label.isNull())
            click(step.label);
        press("EditorContinueButton");
        press(last ? "EditorNoButton" : "EditorYesButton");
    }
    expectPage(MapEditor::LinesPage);
}

void WizardDriver::drawThreeCountries(const ThreeCountries& plan, int slotEntry,
                                      const QString& name)
{
    openOn(plan.picture);
    paintBorders(plan);
    press("EditorYesButton");
    makeContinents();
    makeCountries(plan);
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
