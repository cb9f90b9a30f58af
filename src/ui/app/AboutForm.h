#pragma once

#include <QDialog>

class QLabel;

namespace tovel {

// The About box: title, credits, a contact link that opens a mail to the authors, and "Cool".
class TAboutForm final : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    void SetTitle(const QString& title);
    // "mailto:<contact>?Subject=Tovel".
    QString ContactUrl() const;

private:
    void ContactClick();

    QLabel* labelTitle_;
    QLabel* labelCredits_;
    QLabel* labelContact_;
};

inline constexpr const char* kContactAddress = "tovel-team@example.org";

} // namespace tovel
