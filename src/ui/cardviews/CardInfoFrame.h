#pragma once

// The card information panel: name, cost symbols, rarity badge, picture, type line, power and
// toughness, and rules text of one card. Embedded in the floating card window and the card
// values editor.

#include "core/carddb/CardDisplay.h"
#include "core/carddb/CardsDB.h"

#include <QFrame>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace tovel {

class EditionSymbolLibrary;

// The cost drawn as symbols on a transparent strip.
class TCostImage final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 193;
    static constexpr int kHeight = 21;

    explicit TCostImage(QWidget* parent = nullptr);
    void SetSymbols(std::vector<TCostSymbol> symbols);
    const std::vector<TCostSymbol>& Symbols() const { return symbols_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TCostSymbol> symbols_;
};

class TCardInfoFrame final : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 195;

    explicit TCardInfoFrame(QWidget* parent = nullptr);
    ~TCardInfoFrame() override;

    // Shows the card, or the not-found state for none. The card shown last is not redrawn.
    // `cards` is the list the card belongs to (its rules text lives there).
    void ShowCard(const TCardItem* card, const TCardsList& cards = CardDatabase());
    // Shows no card at all (nothing is selected): every part hidden, the name line empty.
    void ShowNothing();
    // Whether this card is the one on show. Cards are told apart by edition and name, not by
    // address: a reloaded card list may put another card where the shown one was.
    bool Shows(const TCardItem& card) const;

    QLabel* LabelName() const { return labelName_; }
    TCostImage* Image() const { return image_; }
    QLabel* ImageRarity() const { return imageRarity_; }
    QLabel* ImageCard() const { return imageCard_; }
    QWidget* Panel1() const { return panel1_; }
    QWidget* Panel2() const { return panel2_; }
    QWidget* Panel3() const { return panel3_; }
    QLabel* LabelType() const { return labelType_; }
    QLabel* LabelPT() const { return labelPT_; }
    QPlainTextEdit* Memo() const { return memo_; }

private:
    void ShowNotFound();
    void ShowPicture(const TCardItem& card);
    void ShowBadge(const TCardItem& card);

    QWidget* panel1_;
    QLabel* labelName_;
    TCostImage* image_;
    QLabel* imageRarity_;
    QFrame* panel2_;
    QLabel* imageCard_;
    QWidget* panel3_;
    QLabel* labelType_;
    QLabel* labelPT_;
    QPlainTextEdit* memo_;

    std::unique_ptr<EditionSymbolLibrary> symbols_;
    // Edition and name of the card on show; none in the not-found state and at the start.
    std::optional<std::pair<std::string, std::string>> shown_;
};

inline constexpr const char* kCardNotFound =
    QT_TRANSLATE_NOOP("tovel::TCardInfoFrame", "Card not found in DB");

} // namespace tovel
