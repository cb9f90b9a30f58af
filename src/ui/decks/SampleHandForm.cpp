#include "ui/decks/SampleHandForm.h"

#include "core/carddb/CardsDB.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/controls/DialogButtons.h"
#include "ui/platform/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovel {

namespace {

RandomSource Seeded(const std::optional<uint32_t>& seed) {
    RandomSource random;
    SeedForRun(random, seed);
    return random;
}

} // namespace

TSampleHandForm::TSampleHandForm(std::vector<int32_t> library, std::optional<uint32_t> seed, QWidget* parent)
    : QDialog(parent), random_(Seeded(seed)), hand_(std::move(library), random_) {
    setObjectName(QStringLiteral("SampleHandForm"));
    setWindowTitle(tr("Sample hand"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListHand"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("LabelHand"));
    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& caption, auto handler) {
        return AddRowButton(this, buttons, name, caption, std::move(handler));
    };
    button("ButtonMulligan", tr("Mulligan"), [this] {
        hand_.Mulligan();
        ShowHand();
    });
    draw_ = button("ButtonDraw", tr("Draw"), [this] {
        hand_.Draw();
        ShowHand();
    });
    button("ButtonNewHand", tr("New hand"), [this] {
        hand_.NewHand();
        ShowHand();
    });
    buttons->addStretch();
    button("ButtonClose", tr("Close"), [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    resize(320, 300);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(hand_.Hand().size()))
            ShowCardInfo(&CardDatabase().Items(hand_.Hand()[static_cast<size_t>(row)]));
    });
    ShowHand();
}

QPushButton* TSampleHandForm::Button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

void TSampleHandForm::ShowHand() {
    const QSignalBlocker blocker(list_);
    list_->clear();
    for (int32_t position : hand_.Hand())
        list_->addItem(FromCp1252(CardCaption(CardDatabase().Items(position))));
    status_->setText(tr("%1 cards in hand (opening hand of %2), %3 left in the library")
                         .arg(hand_.Hand().size())
                         .arg(hand_.OpeningSize())
                         .arg(hand_.LibraryLeft()));
    draw_->setEnabled(hand_.LibraryLeft() > 0);
}

} // namespace tovel
