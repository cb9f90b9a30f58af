#pragma once

// A one-line edit for a folder path with a browse button inside its right edge. Browsing goes
// through the prompt seam; a chosen folder replaces the text and raises textChanged.

#include <QLineEdit>

class QToolButton;

namespace tovel {

class TLmDirEdit final : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kButtonSize = 17;

    explicit TLmDirEdit(QWidget* parent = nullptr);

    QString DialogCaption() const { return dialogCaption_; }
    void SetDialogCaption(const QString& caption) { dialogCaption_ = caption; }
    QString InitialDir() const { return initialDir_; }
    void SetInitialDir(const QString& dir) { initialDir_ = dir; }
    bool OldStyle() const { return oldStyle_; }
    void SetOldStyle(bool oldStyle) { oldStyle_ = oldStyle; }
    QToolButton* Button() const { return button_; }

    // What the browse button does.
    void Browse();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Layout();

    QWidget* container_;
    QToolButton* button_;
    QString dialogCaption_ = tr("Выберите каталог");
    QString initialDir_;
    bool oldStyle_ = false;
};

} // namespace tovel
