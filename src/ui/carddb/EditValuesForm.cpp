#include "ui/carddb/EditValuesForm.h"

#include "core/carddb/CardDatabase.h"
#include "core/carddb/Editions.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "ui/cardviews/CardInfoFrame.h"
#include "ui/cardviews/CardListModel.h"
#include "ui/platform/QtText.h"
#include "ui/platform/ScreenCentre.h"
#include "ui/wait/WaitForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace tovel {

TEditValuesForm::TEditValuesForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EditValuesForm"));
    setWindowTitle(tr("Edit card values"));
    CentreOnScreen(this);

    auto* layout = new QHBoxLayout(this);
    BuildCardList(layout);
    BuildValueSide(layout);
    resize(680, 520);
    ConnectControls();
}

void TEditValuesForm::BuildCardList(QHBoxLayout* layout) {
    auto* left = new QVBoxLayout;
    comboBoxEditions_ = new QComboBox(this);
    comboBoxEditions_->setObjectName(QStringLiteral("ComboBoxEditions"));
    left->addWidget(comboBoxEditions_);

    model_ = new TCardListModel(this);
    model_->SetHeader(QLatin1String(SortModeCaption(sortMode_)));
    listViewCards_ = new QTreeView(this);
    listViewCards_->setObjectName(QStringLiteral("ListViewCards"));
    listViewCards_->setModel(model_);
    listViewCards_->setRootIsDecorated(false);
    listViewCards_->setUniformRowHeights(true);
    listViewCards_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listViewCards_->setSelectionMode(QAbstractItemView::SingleSelection);
    listViewCards_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listViewCards_->header()->setSectionsClickable(true);
    listViewCards_->header()->setStretchLastSection(true);
    QPalette palette = listViewCards_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    listViewCards_->setPalette(palette);
    listViewCards_->setMinimumWidth(260);
    left->addWidget(listViewCards_, 1);
    layout->addLayout(left, 1);
}

void TEditValuesForm::BuildValueSide(QHBoxLayout* layout) {
    auto* right = new QVBoxLayout;
    cardInfo_ = new TCardInfoFrame(this);
    right->addWidget(cardInfo_, 1);

    auto* group = new QGroupBox(tr("Card Value"), this);
    group->setObjectName(QStringLiteral("GroupBoxValue"));
    auto* groupLayout = new QGridLayout(group);
    trackBarValue_ = new QSlider(Qt::Horizontal, group);
    trackBarValue_->setObjectName(QStringLiteral("TrackBarValue"));
    trackBarValue_->setRange(0, 10);
    trackBarValue_->setValue(5);
    trackBarValue_->setPageStep(1);
    trackBarValue_->setTickPosition(QSlider::TicksBothSides);
    trackBarValue_->setTickInterval(1);
    groupLayout->addWidget(trackBarValue_, 0, 0, 1, 3);
    // The slider's position as a number, beside it.
    auto* number = new QLabel(QString::number(trackBarValue_->value()), group);
    number->setObjectName(QStringLiteral("LabelValue"));
    number->setMinimumWidth(number->fontMetrics().horizontalAdvance(QStringLiteral("10")) + 4);
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = number->font();
    bold.setBold(true);
    number->setFont(bold);
    groupLayout->addWidget(number, 0, 3);
    connect(trackBarValue_, &QSlider::valueChanged, number, [number](int value) { number->setNum(value); });
    auto* junk = new QLabel(tr("Junk"), group);
    auto* average = new QLabel(tr("Average"), group);
    auto* bomb = new QLabel(tr("Bomb"), group);
    groupLayout->addWidget(junk, 1, 0, Qt::AlignLeft);
    groupLayout->addWidget(average, 1, 1, Qt::AlignHCenter);
    groupLayout->addWidget(bomb, 1, 2, Qt::AlignRight);
    right->addWidget(group);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(tr("Save changes"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("ButtonSave"));
    save->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TEditValuesForm::SaveAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    right->addWidget(buttons);
    layout->addLayout(right);
}

void TEditValuesForm::ConnectControls() {
    connect(comboBoxEditions_, &QComboBox::activated, this, &TEditValuesForm::Collect);
    connect(listViewCards_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TEditValuesForm::ListViewCardsSelect);
    connect(listViewCards_->header(), &QHeaderView::sectionClicked, this,
            &TEditValuesForm::ListViewCardsColumnClick);
    connect(trackBarValue_, &QSlider::valueChanged, this, &TEditValuesForm::TrackBarValueChange);
}

TEditValuesForm::~TEditValuesForm() = default;

void TEditValuesForm::FillEditions() {
    comboBoxEditions_->clear();
    const TTextList& editions = EditionList();
    for (int i = 0; i < editions.Count(); ++i)
        comboBoxEditions_->addItem(FromCp1252(editions.Value(i)));
    comboBoxEditions_->setCurrentIndex(editions.Count() > 0 ? 0 : -1);
    Collect(0);
}

void TEditValuesForm::Collect(int editionIndex) {
    positions_.Clear();
    const TTextList& editions = EditionList();
    if (editionIndex >= 0 && editionIndex < editions.Count())
        for (int32_t position : CardsOfEdition(CardDatabase(), editions.Name(editionIndex)))
            positions_.Add(position);
    List();
}

void TEditValuesForm::List() {
    std::vector<int32_t> rows = positions_.Raw();
    SortBySortMode(rows, CardDatabase(), sortMode_);
    model_->SetCards(rows);
    if (!rows.empty())
        listViewCards_->setCurrentIndex(model_->index(0, 0));
    else
        cardInfo_->ShowCard(nullptr);
}

void TEditValuesForm::ListViewCardsSelect() {
    const QModelIndex current = listViewCards_->currentIndex();
    if (!current.isValid())
        return;
    const TCardItem& card = CardDatabase().Items(model_->CardAt(current.row()));
    cardInfo_->ShowCard(&card);
    // Moving the slider to the card's value must not write it back into another card.
    showing_ = true;
    trackBarValue_->setValue(card.Value);
    showing_ = false;
}

void TEditValuesForm::TrackBarValueChange(int value) {
    if (showing_)
        return;
    const QModelIndex current = listViewCards_->currentIndex();
    if (!current.isValid())
        return;
    CardDatabase().Items(model_->CardAt(current.row())).Value = value;
}

void TEditValuesForm::ListViewCardsColumnClick() {
    sortMode_ = NextSortMode(sortMode_);
    model_->SetHeader(QLatin1String(SortModeCaption(sortMode_)));
    List();
}

void TEditValuesForm::SaveAndClose() {
    // A save that fails keeps the window, and the values set in it, for another try.
    try {
        SaveCardDatabase(CardDatabase(), ProgramPath(kCardDatabaseFile));
    } catch (const std::exception& e) {
        ShowError(e.what());
        return;
    }
    accept();
}

void OpenCardValuesEditor() {
    TEditValuesForm form(QApplication::activeWindow());
    {
        WaitWindow wait(ToUtf8(TEditValuesForm::tr("Please wait...")));
        LoadEditionList(EditionList(), ProgramPath(kEditionsFile));
        LoadCardDatabase(CardDatabase(), ProgramPath(kCardDatabaseFile), "");
        form.FillEditions();
    }
    form.exec();
}

} // namespace tovel
