#include "colorconfig.h"
#include "coloreditor.h"
#include "colorsample.h"
#include "configdialog.h"
#include "fontsconfig.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

// The configuration window: the default colour scheme, editing a seat's
// colours, and the fonts kept in the settings file across starts.
class TestConfigDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaultSchemeAndSeatsOutsideIt();
    void editingASeat();

    void fontsReturnAtTheNextStart();
    void badStoredValuesAreIgnored();

private:
    QString configPath() const { return m_dir->filePath(QStringLiteral("tarvenix.cfg")); }
    void restart();
    bool showDialog()
    {
        m_dialog->show();
        return QTest::qWaitForWindowExposed(m_dialog.get());
    }
    static QList<ColorSample*> seatSamples(ConfigDialog& dialog);
    static QList<QRadioButton*> seatRadios(ConfigDialog& dialog);
    template <typename T> static T* child(QWidget& parent, const char* name);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<ConfigDialog> m_dialog;
};

template <typename T> T* TestConfigDialog::child(QWidget& parent, const char* name)
{
    T* widget = parent.findChild<T*>(QLatin1String(name));
    if (!widget)
        qWarning("no child %s", name);
    return widget;
}

QList<ColorSample*> TestConfigDialog::seatSamples(ConfigDialog& dialog)
{
    return dialog.findChildren<ColorSample*>(QStringLiteral("PlayerSample"));
}

QList<QRadioButton*> TestConfigDialog::seatRadios(ConfigDialog& dialog)
{
    return dialog.findChildren<QRadioButton*>(QStringLiteral("PlayerCheckbox"));
}

void TestConfigDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_settings = std::make_unique<Settings>(configPath());
    QCOMPARE(Settings::instance(), m_settings.get());
    m_dialog = std::make_unique<ConfigDialog>(nullptr, QStringLiteral("ConfigDialog"));
}

void TestConfigDialog::cleanup()
{
    m_dialog.reset();
    m_settings.reset();
    m_dir.reset();
}

void TestConfigDialog::restart()
{
    m_dialog.reset();
    m_settings.reset();
    m_settings = std::make_unique<Settings>(configPath());
    m_dialog = std::make_unique<ConfigDialog>(nullptr, QStringLiteral("ConfigDialog"));
}

void TestConfigDialog::defaultSchemeAndSeatsOutsideIt()
{
    const QList<QPair<QColor, QColor>> scheme = {{Qt::black, Qt::yellow}, {Qt::white, Qt::red},
                                                 {Qt::black, Qt::cyan},   {Qt::white, Qt::blue},
                                                 {Qt::black, Qt::green},  {Qt::black, Qt::magenta}};
    const QList<ColorSample*> samples = seatSamples(*m_dialog);
    QCOMPARE(samples.size(), 6);
    for (int seat = 0; seat < 6; ++seat) {
        QCOMPARE(m_dialog->textColor(seat), scheme[seat].first);
        QCOMPARE(m_dialog->backgroundColor(seat), scheme[seat].second);
        QCOMPARE(samples[seat]->text(), QStringLiteral("Player %1").arg(seat + 1));
        QCOMPARE(samples[seat]->backgroundColor(), scheme[seat].second);
    }
    for (int seat : {-1, 6}) {
        QCOMPARE(m_dialog->textColor(seat), QColor(Qt::white));
        QCOMPARE(m_dialog->backgroundColor(seat), QColor(Qt::white));
    }
}

// The sliders edit the background or, with the box ticked, the text colour
// of the seat chosen by its sample or its radio button; only Use color
// gives the seat its new colours.
void TestConfigDialog::editingASeat()
{
    QVERIFY(showDialog());
    QSignalSpy changed(m_dialog.get(), &ConfigDialog::colorChanged);
    auto* editor = child<ColorEditor>(*m_dialog, "ColorEditor");
    auto* red = child<QSlider>(*m_dialog, "RedSlider");
    auto* green = child<QSlider>(*m_dialog, "GreenSlider");
    auto* blue = child<QSlider>(*m_dialog, "BlueSlider");
    const auto sliders = [&] {
        return QList<int>{red->value(), green->value(), blue->value()};
    };
    QVERIFY(seatRadios(*m_dialog)[0]->isChecked());
    QCOMPARE(sliders(), (QList<int>{255, 255, 0}));
    blue->setValue(128);
    QCOMPARE(editor->backgroundColor(), QColor(255, 255, 128));

    // Switching to the text colour puts its components on the sliders
    // without touching either colour.
    auto* textBox = child<QCheckBox>(*m_dialog, "ColorEditorCheckBox");
    textBox->click();
    QCOMPARE(sliders(), (QList<int>{0, 0, 0}));
    green->setValue(200);
    QCOMPARE(editor->textColor(), QColor(0, 200, 0));
    QCOMPARE(editor->backgroundColor(), QColor(255, 255, 128));
    textBox->click();
    QCOMPARE(blue->value(), 128);

    // Clicking the seat already chosen keeps the edit; a press that leaves
    // the sample before the release is no click.
    QTest::mouseClick(seatSamples(*m_dialog)[0], Qt::LeftButton);
    QCOMPARE(editor->backgroundColor(), QColor(255, 255, 128));
    ColorSample* third = seatSamples(*m_dialog)[2];
    QTest::mousePress(third, Qt::LeftButton);
    QTest::mouseRelease(third, Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(seatRadios(*m_dialog)[0]->isChecked());

    QTest::mouseClick(third, Qt::LeftButton);
    QVERIFY(seatRadios(*m_dialog)[2]->isChecked());
    QCOMPARE(sliders(), (QList<int>{0, 255, 255}));
    green->setValue(100);
    QCOMPARE(m_dialog->backgroundColor(2), QColor(Qt::cyan));
    QVERIFY(changed.isEmpty());
    QTest::mouseClick(child<QPushButton>(*m_dialog, "ColorEditorPushButton"), Qt::LeftButton);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 2);
    QCOMPARE(m_dialog->backgroundColor(2), QColor(0, 100, 255));
    QCOMPARE(third->backgroundColor(), QColor(0, 100, 255));
    QCOMPARE(m_dialog->backgroundColor(0), QColor(Qt::yellow));

    QTest::mouseClick(seatRadios(*m_dialog)[3], Qt::LeftButton);
    QCOMPARE(editor->textColor(), QColor(Qt::white));
    QCOMPARE(editor->backgroundColor(), QColor(Qt::blue));
    QTest::mouseClick(child<QPushButton>(*m_dialog, "CloseButton"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
}

// Arial (or the family that stands in for it where it is not installed) at
// 8 points, plain, on a fresh start, stored at once; an applied font comes
// back at the next start.
void TestConfigDialog::fontsReturnAtTheNextStart()
{
    auto chat = std::make_unique<QSignalSpy>(m_dialog.get(), &ConfigDialog::chatboxFont);
    auto output = std::make_unique<QSignalSpy>(m_dialog.get(), &ConfigDialog::gameOutputFont);
    m_dialog->fireFonts();
    const QString family = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    QVERIFY(QFontDatabase::families().contains(family));
    for (const QSignalSpy* spy : {chat.get(), output.get()}) {
        QCOMPARE(spy->size(), 1);
        const QFont font = spy->at(0).at(0).value<QFont>();
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSize(), 8);
        QVERIFY(!font.bold() && !font.italic());
    }
    QCOMPARE(m_settings->section(QStringLiteral("fonts"))->size(), 8);

    auto* size = child<QComboBox>(*m_dialog, "SizeCombo");
    size->setCurrentIndex(size->findText(QStringLiteral("12")));
    child<QCheckBox>(*m_dialog, "ItalicCheckbox")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(*m_dialog, "ApplyButton"), Qt::LeftButton);
    QCOMPARE(chat->size(), 2);
    QCOMPARE(chat->at(1).at(0).value<QFont>().pointSize(), 12);

    restart();
    QFile file(configPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY(written.contains("Chatbox_size=12\n") && written.contains("Chatbox_italic=1\n"));
    chat = std::make_unique<QSignalSpy>(m_dialog.get(), &ConfigDialog::chatboxFont);
    output = std::make_unique<QSignalSpy>(m_dialog.get(), &ConfigDialog::gameOutputFont);
    m_dialog->fireFonts();
    QCOMPARE(chat->at(0).at(0).value<QFont>().pointSize(), 12);
    QVERIFY(chat->at(0).at(0).value<QFont>().italic());
    QCOMPARE(output->at(0).at(0).value<QFont>().pointSize(), 8);
    QVERIFY(!output->at(0).at(0).value<QFont>().italic());
}

void TestConfigDialog::badStoredValuesAreIgnored()
{
    m_dialog.reset();
    const std::pair<const char*, const char*> stored[] = {
        {"Game output_family", "No Such Family Anywhere"},
        {"Game output_size", "99"},
        {"Game output_bold", "yes"},
        {"Game output_italic", "2"}};
    for (const auto& [key, value] : stored)
        m_settings->setValue(QStringLiteral("fonts"), QLatin1String(key), QLatin1String(value));
    m_dialog = std::make_unique<ConfigDialog>(nullptr, QStringLiteral("ConfigDialog"));

    auto* schemes = child<QComboBox>(*m_dialog, "SchemeCombo");
    auto* family = child<QComboBox>(*m_dialog, "FontCombo");
    auto* size = child<QComboBox>(*m_dialog, "SizeCombo");
    const QString familyBefore = family->currentText();
    const QString sizeBefore = size->currentText();
    schemes->setCurrentIndex(1);
    // Unknown family and size leave the combos where they were; "yes" is not
    // a number and reads as off, any non-zero number as on.
    QCOMPARE(family->currentText(), familyBefore);
    QCOMPARE(size->currentText(), sizeBefore);
    QVERIFY(!child<QCheckBox>(*m_dialog, "BoldCheckbox")->isChecked());
    QVERIFY(child<QCheckBox>(*m_dialog, "ItalicCheckbox")->isChecked());
}

QTEST_MAIN(TestConfigDialog)
#include "tst_configdialog.moc"
