#include "ui/decks/BuildDeckForm.h"

#include "ui/controls/DialogButtons.h"
#include "ui/platform/QtText.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tovel {

TBuildDeckForm::TBuildDeckForm(const TCardsList& cards, std::vector<int32_t> pool, QWidget* parent)
    : QDialog(parent), cards_(cards), pool_(std::move(pool)), poolCards_(PoolCards(cards_, pool_)),
      best_(BuildDeck(poolCards_)) {
    setObjectName(QStringLiteral("BuildDeckForm"));
    setWindowTitle(tr("Build deck from pool"));

    auto* caption = new QLabel(tr("%1 cards in the pool. The deck takes %2 spells of one or two "
                                  "colours by value, along a curve, and %3 basic lands.")
                                   .arg(pool_.size())
                                   .arg(kDeckSpells)
                                   .arg(kDeckLands),
                               this);
    caption->setWordWrap(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ListViewSets"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({tr("Colours"), tr("Spells"), tr("Score"), tr("Best cards")});
    for (const TColourSetScore& set : best_.Ranking) {
        QStringList best;
        for (int index : set.Best)
            if (index >= 0)
                best << FromCp1252(poolCards_[static_cast<size_t>(index)]->Name);
        auto* item =
            new QTreeWidgetItem(list_, {FromUtf8(ColourSetText(set.Colours)), QString::number(set.Spells),
                                        QString::number(set.Score), best.join(QStringLiteral(", "))});
        item->setData(0, Qt::UserRole, set.Colours);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        if (set.Spells < kDeckSpells)
            item->setToolTip(1, tr("Short of %1 by %2").arg(kDeckCards).arg(kDeckSpells - set.Spells));
    }
    list_->header()->setStretchLastSection(true);
    for (int column = 0; column < 3; ++column)
        list_->resizeColumnToContents(column);
    list_->setCurrentItem(list_->topLevelItem(0));
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

    const OkCancelButtons buttons = AddOkCancelButtons(this, "ButtonOK", "ButtonCancel");
    ok_ = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons.box);
    resize(520, 400);
}

TColourSet TBuildDeckForm::SelectedColours() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? static_cast<TColourSet>(item->data(0, Qt::UserRole).toUInt()) : best_.Colours;
}

TBuiltDeck TBuildDeckForm::Deck() const {
    return BuildDeck(poolCards_, SelectedColours());
}

} // namespace tovel
