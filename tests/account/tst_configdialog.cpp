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

    void defaultScheme_data();
    void defaultScheme();
    void seatsOutsideTheTableAreWhite();
    void sliderEditsBackgroundOrText();
    void useColorOnTheThirdRow();
    void clickingTheSelectedSampleKeepsTheEdit();

    void freshStartGivesDefaultFonts();
    void appliedFontReturnsAtTheNextStart();
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

void TestConfigDialog::defaultScheme_data()
{
    QTest::addColumn<int>("seat");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");

    QTest::newRow("1") << 0 << QColor(0, 0, 0) << QColor(255, 255, 0);
    QTest::newRow("2") << 1 << QColor(255, 255, 255) << QColor(255, 0, 0);
    QTest::newRow("3") << 2 << QColor(0, 0, 0) << QColor(0, 255, 255);
    QTest::newRow("4") << 3 << QColor(255, 255, 255) << QColor(0, 0, 255);
    QTest::newRow("5") << 4 << QColor(0, 0, 0) << QColor(0, 255, 0);
    QTest::newRow("6") << 5 << QColor(0, 0, 0) << QColor(255, 0, 255);
}

void TestConfigDialog::defaultScheme()
{
    QFETCH(int, seat);
    QFETCH(QColor, text);
    QFETCH(QColor, background);

    QCOMPARE(m_dialog->textColor(seat), text);
    QCOMPARE(m_dialog->backgroundColor(seat), background);
    const QList<ColorSample*> samples = seatSamples(*m_dialog);
    QCOMPARE(samples.size(), 6);
    QCOMPARE(samples[seat]->text(), QStringLiteral("Player %1").arg(seat + 1));
    QCOMPARE(samples[seat]->backgroundColor(), background);
}

void TestConfigDialog::seatsOutsideTheTableAreWhite()
{
    for (int seat : {-1, 6, 100}) {
        QCOMPARE(m_dialog->textColor(seat), QColor(Qt::white));
        QCOMPARE(m_dialog->backgroundColor(seat), QColor(Qt::white));
    }
}

void TestConfigDialog::sliderEditsBackgroundOrText()
{
    auto* editor = child<ColorEditor>(*m_dialog, "ColorEditor");
    auto* red = child<QSlider>(*m_dialog, "RedSlider");
    auto* green = child<QSlider>(*m_dialog, "GreenSlider");
    auto* blue = child<QSlider>(*m_dialog, "BlueSlider");
    auto* textBox = child<QCheckBox>(*m_dialog, "ColorEditorCheckBox");

    // The first seat is shown at the start.
    QVERIFY(seatRadios(*m_dialog)[0]->isChecked());
    QCOMPARE(QList<int>({red->value(), green->value(), blue->value()}), QList<int>({255, 255, 0}));
    blue->setValue(128);
    QCOMPARE(editor->backgroundColor(), QColor(255, 255, 128));
    QCOMPARE(editor->textColor(), QColor(Qt::black));

    // Switching to the text colour puts its components on the sliders
    // without touching either colour.
    textBox->click();
    QCOMPARE(red->value(), 0);
    QCOMPARE(green->value(), 0);
    QCOMPARE(blue->value(), 0);
    QCOMPARE(editor->backgroundColor(), QColor(255, 255, 128));

    green->setValue(200);
    QCOMPARE(editor->textColor(), QColor(0, 200, 0));
    QCOMPARE(editor->backgroundColor(), QColor(255, 255, 128));

    textBox->click();
    QCOMPARE(blue->value(), 128);

    // Loading other colours moves the sliders in one go, never mixing the old
    // components into the colour being edited.
    editor->setColors(Qt::white, QColor(10, 20, 30));
    QCOMPARE(editor->backgroundColor(), QColor(10, 20, 30));
    QCOMPARE(editor->textColor(), QColor(Qt::white));
    QCOMPARE(red->value(), 10);
}

void TestConfigDialog::useColorOnTheThirdRow()
{
    QVERIFY(showDialog());
    QSignalSpy changed(m_dialog.get(), &ConfigDialog::colorChanged);
    const QList<ColorSample*> samples = seatSamples(*m_dialog);
    auto* editor = child<ColorEditor>(*m_dialog, "ColorEditor");

    QTest::mouseClick(samples[2], Qt::LeftButton);
    QVERIFY(seatRadios(*m_dialog)[2]->isChecked());
    QCOMPARE(editor->backgroundColor(), QColor(Qt::cyan));
    QVERIFY(changed.isEmpty());

    child<QSlider>(*m_dialog, "GreenSlider")->setValue(100);
    QVERIFY(changed.isEmpty());
    QCOMPARE(m_dialog->backgroundColor(2), QColor(Qt::cyan));

    QTest::mouseClick(child<QPushButton>(*m_dialog, "ColorEditorPushButton"), Qt::LeftButton);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 2);
    QCOMPARE(m_dialog->backgroundColor(2), QColor(0, 100, 255));
    QCOMPARE(m_dialog->textColor(2), QColor(Qt::black));
    QCOMPARE(samples[2]->backgroundColor(), QColor(0, 100, 255));
    QCOMPARE(m_dialog->backgroundColor(0), QColor(Qt::yellow));

    // A radio button chooses a seat too; Close hides the window.
    QTest::mouseClick(seatRadios(*m_dialog)[3], Qt::LeftButton);
    QCOMPARE(editor->textColor(), QColor(Qt::white));
    QCOMPARE(editor->backgroundColor(), QColor(Qt::blue));
    QCOMPARE(child<QSlider>(*m_dialog, "RedSlider")->value(), 0);
    QTest::mouseClick(child<QPushButton>(*m_dialog, "CloseButton"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
}

void TestConfigDialog::clickingTheSelectedSampleKeepsTheEdit()
{
    QVERIFY(showDialog());
    auto* editor = child<ColorEditor>(*m_dialog, "ColorEditor");
    child<QSlider>(*m_dialog, "RedSlider")->setValue(7);
    QTest::mouseClick(seatSamples(*m_dialog)[0], Qt::LeftButton);
    QCOMPARE(editor->backgroundColor(), QColor(7, 255, 0));

    // A press that leaves the sample before the release is no click.
    ColorSample* other = seatSamples(*m_dialog)[1];
    QTest::mousePress(other, Qt::LeftButton);
    QTest::mouseRelease(other, Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(seatRadios(*m_dialog)[0]->isChecked());
}

void TestConfigDialog::freshStartGivesDefaultFonts()
{
    QSignalSpy chat(m_dialog.get(), &ConfigDialog::chatboxFont);
    QSignalSpy output(m_dialog.get(), &ConfigDialog::gameOutputFont);
    m_dialog->fireFonts();
    QCOMPARE(chat.size(), 1);
    QCOMPARE(output.size(), 1);

    // Arial, or where it is not installed, the family that stands in for it.
    const QString family = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    QVERIFY(QFontDatabase::families().contains(family));
    for (const QSignalSpy* spy : {&chat, &output}) {
        const QFont font = spy->at(0).at(0).value<QFont>();
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSize(), 8);
        QVERIFY(!font.bold());
        QVERIFY(!font.italic());
    }

    const SettingsSection* fonts = m_settings->section(QStringLiteral("fonts"));
    QVERIFY(fonts);
    QCOMPARE(fonts->size(), 8);
    QCOMPARE(fonts->value(QStringLiteral("Game output_size")), QStringLiteral("8"));
    QCOMPARE(fonts->value(QStringLiteral("Chatbox_bold")), QStringLiteral("0"));
    QCOMPARE(child<QComboBox>(*m_dialog, "SchemeCombo")->currentIndex(), 0);
}

void TestConfigDialog::appliedFontReturnsAtTheNextStart()
{
    m_dialog->fireFonts();
    auto* size = child<QComboBox>(*m_dialog, "SizeCombo");
    size->setCurrentIndex(size->findText(QStringLiteral("12")));
    child<QCheckBox>(*m_dialog, "ItalicCheckbox")->setChecked(true);
    QSignalSpy chat(m_dialog.get(), &ConfigDialog::chatboxFont);
    QTest::mouseClick(child<QPushButton>(*m_dialog, "ApplyButton"), Qt::LeftButton);
    QCOMPARE(chat.size(), 1);
    QCOMPARE(chat.at(0).at(0).value<QFont>().pointSize(), 12);

    restart();
    QFile file(configPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY(written.contains("Chatbox_size=12\n"));
    QVERIFY(written.contains("Chatbox_italic=1\n"));

    QSignalSpy chatAgain(m_dialog.get(), &ConfigDialog::chatboxFont);
    QSignalSpy output(m_dialog.get(), &ConfigDialog::gameOutputFont);
    m_dialog->fireFonts();
    QCOMPARE(chatAgain.size(), 1);
    QCOMPARE(output.size(), 1);
    QCOMPARE(chatAgain.at(0).at(0).value<QFont>().pointSize(), 12);
    QVERIFY(chatAgain.at(0).at(0).value<QFont>().italic());
    QCOMPARE(output.at(0).at(0).value<QFont>().pointSize(), 8);
    QVERIFY(!output.at(0).at(0).value<QFont>().italic());
    // The page shows the first scheme afterwards, with its own values.
    QCOMPARE(child<QComboBox>(*m_dialog, "SizeCombo")->currentText(), QStringLiteral("12"));
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
