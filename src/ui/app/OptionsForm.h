#pragma once

// The options dialog: whether card images are shown and the folder they live in.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;

namespace tovel {

class TLmDirEdit;

class TOptionsForm final : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    // Fills the controls from the settings.
    void Load();

    QCheckBox* CheckBoxShowImages() const { return checkBoxShowImages_; }
    TLmDirEdit* LmDirEditCardImages() const { return lmDirEditCardImages_; }
    // "system", "English", "original": the texts the windows show.
    QComboBox* ComboBoxLanguage() const { return comboBoxLanguage_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* Button2() const { return button2_; }

private:
    void CheckBoxShowImagesClick();
    void Button1Click();

    QTabWidget* pageControl1_;
    QCheckBox* checkBoxShowImages_;
    TLmDirEdit* lmDirEditCardImages_;
    QComboBox* comboBoxLanguage_;
    QPushButton* button3_;
    QPushButton* button1_;
    QPushButton* button2_;
};

} // namespace tovel
