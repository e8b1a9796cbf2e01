#include "imagepanel.h"

#include "colorbutton.h"
#include "model/lumoramediaobject.h"
#include "panelkit.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

ImagePanel::ImagePanel(QWidget *parent)
    : MediaPanel(parent)
{
    QFormLayout *form = PanelKit::scrollingForm(this);
    QWidget *content = form->parentWidget();

    m_path = new QLineEdit(content);
    m_path->setObjectName(QStringLiteral("imagePath"));
    m_path->setReadOnly(true);
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("File:")), m_path);

    m_background = new BackgroundControls(false, content);
    setBackgroundOf([](LumoraMediaObject &m) { return BackgroundFields::of(m.image); });
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Background:")), m_background);

    m_music = new QLineEdit(content);
    m_music->setObjectName(QStringLiteral("imageMusic"));
    m_music->setReadOnly(true);
    auto *musicLoad = m_texts.add(new QPushButton(content), QT_TR_NOOP("Browse..."));
    m_musicClear = m_texts.add(new QPushButton(content), QT_TR_NOOP("Remove"));
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Background music:")),
                 PanelKit::row(content, {m_music, musicLoad, m_musicClear}, false));

    auto effectRow = [&](QCheckBox *&box, QComboBox *&style, QSpinBox *&speed, const char *name,
                         const std::function<QStringList()> &effects) {
        box = m_texts.add(new QCheckBox(content), name);
        style = new QComboBox(content);
        m_texts.items(style, effects);
        speed = PanelKit::spinBox(1, 10, content);
        PanelKit::addCheckedRow(
            form, box,
            PanelKit::row(content, {style, m_texts.add(new QLabel(content), QT_TR_NOOP("Speed:")), speed,
                                    m_texts.add(new QLabel(content), QT_TR_NOOP("0.1s"))}));
    };
    effectRow(m_entryBox, m_entryStyle, m_entrySpeed, QT_TR_NOOP("Entry effect"), &PanelKit::entryEffects);
    effectRow(m_exitBox, m_exitStyle, m_exitSpeed, QT_TR_NOOP("Exit effect"), &PanelKit::exitEffects);
    m_entryBox->setObjectName(QStringLiteral("imageEntryBox"));
    m_entryStyle->setObjectName(QStringLiteral("imageEntryStyle"));
    m_entrySpeed->setObjectName(QStringLiteral("imageEntrySpeed"));
    m_exitBox->setObjectName(QStringLiteral("imageExitBox"));

    m_scale = new QComboBox(content);
    m_scale->setObjectName(QStringLiteral("imageScale"));
    m_texts.items(m_scale, &PanelKit::scaleTypes);
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Scale:")), PanelKit::row(content, {m_scale}));

    m_stayTime = PanelKit::spinBox(1, 10000, content);
    m_stayTime->setObjectName(QStringLiteral("imageStayTime"));
    form->addRow(
        m_texts.add(new QLabel(content), QT_TR_NOOP("Stay Time:")),
        PanelKit::row(content, {m_stayTime, m_texts.add(new QLabel(content), QT_TR_NOOP("seconds"))}));

    m_transparency = PanelKit::slider(0, 10, content);
    m_transparency->setObjectName(QStringLiteral("imageTransparency"));
    m_transparency->setPageStep(1);
    m_transparencyValue = new QLabel(content);
    m_transparencyValue->setMinimumWidth(24);
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Transparency:")),
                 PanelKit::row(content, {m_transparency, m_transparencyValue}));

    m_rotation = new QComboBox(content);
    m_rotation->setObjectName(QStringLiteral("imageRotation"));
    m_texts.items(m_rotation, &PanelKit::rotations);
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Rotation angle:")),
                 PanelKit::row(content, {m_rotation}));

    // operator -> record
    connect(m_background->selector(), QOverload<int>::of(&QComboBox::activated), this,
            &ImagePanel::slotImageBKChange);
    connect(m_background->colorButton(), &QPushButton::clicked, this,
            &ImagePanel::slotShowImageBKColorDialog);
    connect(m_background->styleBox(), QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ImagePanel::slotImageBKImageStyleChange);
    connect(musicLoad, &QPushButton::clicked, this, &ImagePanel::slotLoadImageBKMusic);
    connect(m_musicClear, &QPushButton::clicked, this, &ImagePanel::slotClearImageBKMusic);
    connect(m_entryBox, &QCheckBox::toggled, this, &ImagePanel::slotImageComingBox);
    connect(m_entryStyle, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ImagePanel::slotImageComingStyle);
    connect(m_entrySpeed, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &ImagePanel::slotImageComingSpeed);
    connect(m_exitBox, &QCheckBox::toggled, this, &ImagePanel::slotImageGoingOutBox);
    connect(m_exitStyle, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ImagePanel::slotImageOutStyle);
    connect(m_exitSpeed, QOverload<int>::of(&QSpinBox::valueChanged), this, &ImagePanel::slotImageOutSpeed);
    connect(m_scale, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ImagePanel::slotimageScaleType);
    connect(m_stayTime, QOverload<int>::of(&QSpinBox::valueChanged), this, &ImagePanel::slotimageStayTime);
    connect(m_transparency, &QSlider::valueChanged, this, &ImagePanel::slotimageTransparentSlider);
    connect(m_rotation, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ImagePanel::slotimageRotateAngle);
    updateEnabled();
}

QStringList ImagePanel::kinds() const
{
    return {QStringLiteral("image"), QStringLiteral("office")};
}

void ImagePanel::fill(const LumoraMediaObject &media)
{
    const ImageProperties &p = media.image;
    m_path->setText(p.filePath);
    m_path->setToolTip(p.filePath);
    m_path->setCursorPosition(0);
    m_background->showBackground(BackgroundFields::of(MediaPanel::media()->image));
    m_music->setText(p.backgroundMusic);
    m_music->setToolTip(p.backgroundMusic);
    m_entryBox->setChecked(p.entryEffectEnabled);
    PanelKit::selectIndex(m_entryStyle, p.entryEffect);
    PanelKit::showValue(m_entrySpeed, p.entrySpeed);
    m_exitBox->setChecked(p.exitEffectEnabled);
    PanelKit::selectIndex(m_exitStyle, p.exitEffect);
    PanelKit::showValue(m_exitSpeed, p.exitSpeed);
    PanelKit::selectIndex(m_scale, p.scaleType);
    PanelKit::showValue(m_stayTime, p.stayTime);
    PanelKit::showValue(m_transparency, p.transparency);
    m_transparencyValue->setNum(p.transparency);
    PanelKit::selectIndex(m_rotation, p.rotation);
    updateEnabled();
}

void ImagePanel::retranslateUi()
{
    m_texts.apply();
}

void ImagePanel::updateEnabled()
{
    m_entryStyle->setEnabled(m_entryBox->isChecked());
    m_entrySpeed->setEnabled(m_entryBox->isChecked());
    m_exitStyle->setEnabled(m_exitBox->isChecked());
    m_exitSpeed->setEnabled(m_exitBox->isChecked());
    m_musicClear->setEnabled(!m_music->text().isEmpty());
}

void ImagePanel::slotImageBKChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->choose(index, b); });
}

void ImagePanel::slotShowImageBKColorDialog()
{
    changeBackground([&](const BackgroundFields &b) { return m_background->askColor(b); });
}

void ImagePanel::slotImageBKColorSet(const QColor &color)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setColor(color, b); });
}

void ImagePanel::slotImageBKImageStyleChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setStyle(index, b); });
}

void ImagePanel::slotLoadImageBKMusic()
{
    if (!media())
        return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Background music"), QString(),
                                                      QStringLiteral("audio(*.mp3 *.wav)"));
    if (path.isEmpty())
        return;
    m_music->setText(path);
    m_music->setToolTip(path);
    change([&](LumoraMediaObject &m) { m.image.backgroundMusic = path; });
    updateEnabled();
}

void ImagePanel::slotClearImageBKMusic()
{
    change([&](LumoraMediaObject &m) {
        m.image.backgroundMusic.clear();
        m_music->clear();
        m_music->setToolTip(QString());
        updateEnabled();
    });
}

void ImagePanel::slotImageComingBox(bool checked)
{
    updateEnabled();
    change([&](LumoraMediaObject &m) { m.image.entryEffectEnabled = checked; });
}

void ImagePanel::slotImageComingStyle(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.image.entryEffect = index; });
}

void ImagePanel::slotImageComingSpeed(int speed)
{
    change([&](LumoraMediaObject &m) { m.image.entrySpeed = speed; });
}

void ImagePanel::slotImageGoingOutBox(bool checked)
{
    updateEnabled();
    change([&](LumoraMediaObject &m) { m.image.exitEffectEnabled = checked; });
}

void ImagePanel::slotImageOutStyle(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.image.exitEffect = index; });
}

void ImagePanel::slotImageOutSpeed(int speed)
{
    change([&](LumoraMediaObject &m) { m.image.exitSpeed = speed; });
}

void ImagePanel::slotimageScaleType(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.image.scaleType = index; });
}

void ImagePanel::slotimageStayTime(int seconds)
{
    change([&](LumoraMediaObject &m) { m.image.stayTime = seconds; });
}

void ImagePanel::slotimageTransparentSlider(int value)
{
    m_transparencyValue->setNum(value);
    change([&](LumoraMediaObject &m) { m.image.transparency = value; });
}

void ImagePanel::slotimageRotateAngle(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.image.rotation = index; });
}
