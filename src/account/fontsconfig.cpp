#include "fontsconfig.h"

#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString FontsSection = QStringLiteral("fonts");

QString storedValue(const QString& key, const QString& defaultValue)
{
    const Settings* settings = Settings::instance();
    return settings ? settings->value(FontsSection, key, defaultValue) : defaultValue;
}

// Stored flags are decimal integers; anything else reads as off.
bool storedFlag(const QString& key)
{
    return storedValue(key, QStringLiteral("0")).trimmed().toInt() != 0;
}

void selectText(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

// The sizes SizeCombo offers.
QStringList sizeTexts()
{
    QStringList sizes;
    for (int size = 7; size <= 14; ++size)
        sizes.append(QString::number(size));
    return sizes;
}

// The family that actually stands in for Arial, rather than whatever happens
// to sort first (often a symbol or math font); the first family where even
// that one is not listed.
QString standInFamily(const QStringList& families)
{
    const QString standIn = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    return families.contains(standIn) ? standIn : families.value(0);
}

QFont schemeFont(const QString& family, const QString& size, bool bold, bool italic)
{
    QFont font(family, size.toInt());
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

QWidget* spacer(QWidget* parent, const char* name)
{
    auto* widget = new QWidget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return widget;
}

} // namespace

FontsConfig::FontsConfig(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);

    m_mainLayout = new QVBoxLayout(this);
    m_mainLayout->setObjectName(QStringLiteral("MainLayout"));
    m_mainLayout->setContentsMargins(5, 5, 5, 5);
    m_mainLayout->setSpacing(10);

    m_schemeBox = new QGroupBox(this);
    m_schemeBox->setObjectName(QStringLiteral("SchemeBox"));
    auto* schemeGrid = new QGridLayout(m_schemeBox);
    m_schemeLabel = new QLabel(tr("Scheme:"), m_schemeBox);
    m_schemeLabel->setObjectName(QStringLiteral("SchemeLabel"));
    m_schemeCombo = new QComboBox(m_schemeBox);
    m_schemeCombo->setObjectName(QStringLiteral("SchemeCombo"));
    m_schemeCombo->addItem(tr("Chatbox"));
    m_schemeCombo->addItem(tr("Game output"));
    m_schemeLabel->setBuddy(m_schemeCombo);
    schemeGrid->addWidget(m_schemeLabel, 0, 0);
    schemeGrid->addWidget(m_schemeCombo, 0, 1);
    schemeGrid->setColumnStretch(1, 1);
    m_mainLayout->addWidget(m_schemeBox);

    m_fontsBox = new QGroupBox(this);
    m_fontsBox->setObjectName(QStringLiteral("FontsBox"));
    auto* fontsGrid = new QGridLayout(m_fontsBox);
    m_fontLabel = new QLabel(tr("Font:"), m_fontsBox);
    m_fontLabel->setObjectName(QStringLiteral("FontLabel"));
    m_fontCombo = new QComboBox(m_fontsBox);
    m_fontCombo->setObjectName(QStringLiteral("FontCombo"));
    const QStringList families = QFontDatabase::families();
    m_fontCombo->addItems(families);
    // Where the stored family is not installed the combo keeps this choice.
    selectText(m_fontCombo, standInFamily(families));
    m_fontLabel->setBuddy(m_fontCombo);
    m_sizeLabel = new QLabel(tr("Size:"), m_fontsBox);
    m_sizeLabel->setObjectName(QStringLiteral("SizeLabel"));
    m_sizeCombo = new QComboBox(m_fontsBox);
    m_sizeCombo->setObjectName(QStringLiteral("SizeCombo"));
    m_sizeCombo->addItems(sizeTexts());
    m_sizeLabel->setBuddy(m_sizeCombo);
    m_boldBox = new QCheckBox(tr("Bold"), m_fontsBox);
    m_boldBox->setObjectName(QStringLiteral("BoldCheckbox"));
    m_italicBox = new QCheckBox(tr("Italic"), m_fontsBox);
    m_italicBox->setObjectName(QStringLiteral("ItalicCheckbox"));
    fontsGrid->addWidget(m_fontLabel, 0, 0);
    fontsGrid->addWidget(m_fontCombo, 0, 1);
    fontsGrid->addWidget(m_sizeLabel, 1, 0);
    fontsGrid->addWidget(m_sizeCombo, 1, 1);
    fontsGrid->addWidget(spacer(m_fontsBox, "Empty1"), 2, 0);
    fontsGrid->addWidget(m_boldBox, 2, 1);
    fontsGrid->addWidget(spacer(m_fontsBox, "Empty2"), 3, 0);
    fontsGrid->addWidget(m_italicBox, 3, 1);
    fontsGrid->setColumnStretch(1, 1);
    m_mainLayout->addWidget(m_fontsBox);

    m_sampleBox = new QGroupBox(this);
    m_sampleBox->setObjectName(QStringLiteral("SampleBox"));
    auto* sampleLayout = new QVBoxLayout(m_sampleBox);
    m_sampleLabel = new QLabel(tr("AaBbCcDdEeFfGg"), m_sampleBox);
    m_sampleLabel->setObjectName(QStringLiteral("SampleLabel"));
    m_sampleLabel->setAlignment(Qt::AlignCenter);
    sampleLayout->addWidget(m_sampleLabel);
    m_mainLayout->addWidget(m_sampleBox);

    m_mainLayout->addStretch(1);

    m_applyBox = new QWidget(this);
    m_applyBox->setObjectName(QStringLiteral("ApplyBox"));
    auto* applyLayout = new QHBoxLayout(m_applyBox);
    applyLayout->setContentsMargins(0, 0, 0, 0);
    m_applyButton = new QPushButton(tr("Apply"), m_applyBox);
    m_applyButton->setObjectName(QStringLiteral("ApplyButton"));
    applyLayout->addWidget(spacer(m_applyBox, "Empty"));
    applyLayout->addWidget(m_applyButton);
    applyLayout->addWidget(spacer(m_applyBox, "Empty"));
    m_mainLayout->addWidget(m_applyBox);

    changeScheme();
    changeSample();

    connect(m_schemeCombo, &QComboBox::currentIndexChanged, this, &FontsConfig::changeScheme);
    connect(m_fontCombo, &QComboBox::currentIndexChanged, this, &FontsConfig::changeSample);
    connect(m_sizeCombo, &QComboBox::currentIndexChanged, this, &FontsConfig::changeSample);
    connect(m_boldBox, &QCheckBox::toggled, this, &FontsConfig::changeSample);
    connect(m_italicBox, &QCheckBox::toggled, this, &FontsConfig::changeSample);
    connect(m_applyButton, &QPushButton::clicked, this, &FontsConfig::apply);
}

QString FontsConfig::schemeKey(int scheme)
{
    return scheme == Chatbox ? QStringLiteral("Chatbox") : QStringLiteral("Game output");
}

QFont FontsConfig::startupFont(int scheme)
{
    // As fireFonts() goes through the schemes in order from the page's first
    // state: a stored family or size the lists do not hold leaves the one
    // chosen before. The stand-in for Arial is looked up only when needed.
    const QStringList families = QFontDatabase::families();
    const QStringList sizes = sizeTexts();
    QString family;
    QString size = sizes.first();
    for (int s = Chatbox; s <= scheme; ++s) {
        const QString key = schemeKey(s);
        const QString storedFamily =
            storedValue(key + QStringLiteral("_family"), QStringLiteral("Arial"));
        if (families.contains(storedFamily))
            family = storedFamily;
        const QString storedSize = storedValue(key + QStringLiteral("_size"), QStringLiteral("8"));
        if (sizes.contains(storedSize))
            size = storedSize;
    }
    if (family.isNull())
        family = standInFamily(families);
    const QString key = schemeKey(scheme);
    return schemeFont(family, size, storedFlag(key + QStringLiteral("_bold")),
                      storedFlag(key + QStringLiteral("_italic")));
}

QFont FontsConfig::currentFont() const
{
    return schemeFont(m_fontCombo->currentText(), m_sizeCombo->currentText(),
                      m_boldBox->isChecked(), m_italicBox->isChecked());
}

void FontsConfig::changeSample()
{
    m_sampleLabel->setFont(currentFont());
}

void FontsConfig::changeScheme()
{
    const QString key = schemeKey(m_schemeCombo->currentIndex());
    selectText(m_fontCombo, storedValue(key + QStringLiteral("_family"), QStringLiteral("Arial")));
    selectText(m_sizeCombo, storedValue(key + QStringLiteral("_size"), QStringLiteral("8")));
    m_boldBox->setChecked(storedFlag(key + QStringLiteral("_bold")));
    m_italicBox->setChecked(storedFlag(key + QStringLiteral("_italic")));
}

void FontsConfig::apply()
{
    const int scheme = m_schemeCombo->currentIndex();
    if (Settings* settings = Settings::instance()) {
        const QString key = schemeKey(scheme);
        settings->setValue(FontsSection, key + QStringLiteral("_family"),
                           m_fontCombo->currentText());
        settings->setValue(FontsSection, key + QStringLiteral("_size"), m_sizeCombo->currentText());
        settings->setValue(FontsSection, key + QStringLiteral("_bold"),
                           m_boldBox->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        settings->setValue(FontsSection, key + QStringLiteral("_italic"),
                           m_italicBox->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    }
    const QFont font = currentFont();
    if (scheme == Chatbox)
        emit chatboxFont(font);
    else
        emit gameOutputFont(font);
}

void FontsConfig::fireFonts()
{
    for (int scheme = 0; scheme < m_schemeCombo->count(); ++scheme) {
        m_schemeCombo->setCurrentIndex(scheme);
        changeScheme();
        apply();
    }
    m_schemeCombo->setCurrentIndex(0);
    changeScheme();
}
