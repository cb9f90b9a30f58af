#include "ui/carddb/ReadCardForm.h"

#include "core/infra/FileIO.h"
#include "core/infra/Text.h"
#include "ui/controls/DialogButtons.h"
#include "ui/platform/QtText.h"
#include "ui/platform/ScreenCentre.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace tovel {

namespace {

QSlider* MakeTrackBar(const char* name, int maximum, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QLatin1String(name));
    slider->setRange(1, std::max(1, maximum));
    slider->setValue(1);
    slider->setMinimumWidth(220);
    return slider;
}

} // namespace

TReadCardForm::TReadCardForm(const std::string& fileName, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReadCardForm"));
    const int maximum = ReadLines(fileName);

    setWindowTitle(tr("Loading from %1").arg(FromUtf8(fileName)));
    CentreOnScreen(this);
    const size_t slash = fileName.find_last_of('/');
    const QString shortName = FromUtf8(slash == std::string::npos ? fileName : fileName.substr(slash + 1));

    auto* layout = new QVBoxLayout(this);
    BuildEditionFields(layout, shortName);
    BuildColumns(layout, maximum);
    BuildModeButtonsAndLinks(layout);
    if (!lines_.empty())
        listBoxStrings_->setCurrentRow(0);
    UpdateSamples();
}

int TReadCardForm::ReadLines(const std::string& fileName) {
    const std::string bytes = ReadWholeFile(fileName);
    for (std::string_view line : SplitLines(bytes))
        lines_.emplace_back(line);
    size_t longest = 0;
    for (const std::string& line : lines_)
        longest = std::max(longest, line.size());
    return static_cast<int>(std::min<size_t>(longest, 100000));
}

void TReadCardForm::BuildEditionFields(QVBoxLayout* layout, const QString& shortName) {
    auto* editions = new QFormLayout;
    editEdition_ = new QLineEdit(shortName, this);
    editEdition_->setObjectName(QStringLiteral("EditEdition"));
    editED_ = new QLineEdit(shortName.left(2), this);
    editED_->setObjectName(QStringLiteral("EditED"));
    editions->addRow(tr("Edition Full Name"), editEdition_);
    editions->addRow(tr("Edition Abbriviation"), editED_);
    layout->addLayout(editions);
}

void TReadCardForm::BuildColumns(QVBoxLayout* layout, int maximum) {
    // Fixed columns only line up in a fixed-pitch font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    listBoxStrings_ = new QListWidget(this);
    listBoxStrings_->setObjectName(QStringLiteral("ListBoxStrings"));
    listBoxStrings_->setFont(fixed);
    listBoxStrings_->setUniformItemSizes(true);
    listBoxStrings_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    listBoxStrings_->setMinimumSize(520, 220);
    for (const std::string& line : lines_)
        listBoxStrings_->addItem(FromCp1252(line));
    layout->addWidget(listBoxStrings_, 1);

    auto* groups = new QHBoxLayout;
    groupName_ = new QGroupBox(tr("Name"), this);
    groupName_->setObjectName(QStringLiteral("GroupBoxName"));
    auto* nameLayout = new QFormLayout(groupName_);
    trackBarNamePosition_ = MakeTrackBar("TrackBarNamePosition", maximum, groupName_);
    trackBarNameLength_ = MakeTrackBar("TrackBarNameLength", maximum, groupName_);
    editName_ = new QLineEdit(groupName_);
    editName_->setObjectName(QStringLiteral("EditName"));
    editName_->setReadOnly(true);
    editName_->setFont(fixed);
    nameLayout->addRow(tr("Position"), trackBarNamePosition_);
    nameLayout->addRow(tr("Length"), trackBarNameLength_);
    nameLayout->addRow(editName_);
    groups->addWidget(groupName_);

    groupRarity_ = new QGroupBox(tr("Rarity"), this);
    groupRarity_->setObjectName(QStringLiteral("GroupBoxRarity"));
    auto* rarityLayout = new QFormLayout(groupRarity_);
    trackBarRarityPosition_ = MakeTrackBar("TrackBarRarityPosition", maximum, groupRarity_);
    editRarity_ = new QLineEdit(groupRarity_);
    editRarity_->setObjectName(QStringLiteral("EditRarity"));
    editRarity_->setReadOnly(true);
    editRarity_->setFont(fixed);
    rarityLayout->addRow(tr("Position"), trackBarRarityPosition_);
    rarityLayout->addRow(editRarity_);
    groups->addWidget(groupRarity_);
    layout->addLayout(groups);
}

void TReadCardForm::BuildModeButtonsAndLinks(QVBoxLayout* layout) {
    checkBoxTwoSpaces_ = new QCheckBox(tr("Two spaces mode"), this);
    checkBoxTwoSpaces_->setObjectName(QStringLiteral("CheckBoxTwoSpaces"));
    connect(checkBoxTwoSpaces_, &QCheckBox::toggled, this, [this](bool on) {
        groupName_->setVisible(!on);
        groupRarity_->setVisible(!on);
    });
    layout->addWidget(checkBoxTwoSpaces_);

    layout->addWidget(AddOkCancelButtons(this, "ButtonOK", "ButtonCancel").box);

    connect(listBoxStrings_, &QListWidget::currentRowChanged, this, &TReadCardForm::UpdateSamples);
    for (QSlider* slider : {trackBarNamePosition_, trackBarNameLength_, trackBarRarityPosition_})
        connect(slider, &QSlider::valueChanged, this, &TReadCardForm::UpdateSamples);
}

void TReadCardForm::UpdateSamples() {
    const int row = listBoxStrings_->currentRow();
    const std::string_view line = row >= 0 && row < static_cast<int>(lines_.size())
                                      ? std::string_view(lines_[static_cast<size_t>(row)])
                                      : std::string_view();
    editName_->setText(FromCp1252(CardListColumns(line, NamePosition(), NameLength())));
    editRarity_->setText(FromCp1252(CardListColumns(line, RarityPosition(), 1)));
}

int TReadCardForm::NamePosition() const {
    return trackBarNamePosition_->value();
}
int TReadCardForm::NameLength() const {
    return trackBarNameLength_->value();
}
int TReadCardForm::RarityPosition() const {
    return trackBarRarityPosition_->value();
}
std::string TReadCardForm::EditionName() const {
    return std::string(Trim(ToCp1252(editEdition_->text())));
}
std::string TReadCardForm::EditionCode() const {
    return std::string(Trim(ToCp1252(editED_->text())));
}
int TReadCardForm::FirstLine() const {
    return std::max(0, listBoxStrings_->currentRow());
}
bool TReadCardForm::TwoSpaces() const {
    return checkBoxTwoSpaces_->isChecked();
}

TReadCardRec TReadCardForm::Result(bool accepted) const {
    TReadCardRec rec;
    rec.NamePosition = NamePosition();
    rec.NameLength = NameLength();
    rec.RarityPosition = RarityPosition();
    rec.EditionName = EditionName();
    rec.EditionCode = EditionCode();
    rec.FirstLine = FirstLine();
    rec.Accepted = accepted;
    rec.TwoSpaces = TwoSpaces();
    return rec;
}

TReadCardRec ReadCardListLayout(const std::string& fileName) {
    TReadCardForm form(fileName, QApplication::activeWindow());
    const bool accepted = form.exec() == QDialog::Accepted;
    return form.Result(accepted);
}

} // namespace tovel
