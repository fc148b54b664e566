#pragma once

#include "ui/dialogs/window_looks.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sumiplex::platform {
class PickerDialogs;
}

namespace sumiplex::ui {

/// The options dialog: the calculator window's background, one accent colour and the
/// fonts of the input line, the history tape and the memo pad. It edits previews only;
/// OK hands the chosen looks to `apply`, Cancel hands over nothing.
class DialogFont : public QDialog {
    Q_OBJECT
public:
    using Apply = std::function<void(const WindowLooks&)>;

    /// `mainCaption` begins the pickers' titles.
    DialogFont(const WindowLooks& current, QString mainCaption, platform::PickerDialogs& pickers,
               Apply apply, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void layOut();
    void fillPreviews();
    void setPreviewColour(QLineEdit* preview, QLineEdit* valueBox, std::int32_t value);
    void showSize(QLineEdit* preview, QLineEdit* sizeBox, const QFont& font);

    void Option1_Click();
    void Option2_Click();
    void Text6_Click();
    void Text7_Click();
    void Text1_Click();
    void Text2_Click();
    void Text3_Click();
    void pickColour(QLineEdit* preview, QLineEdit* valueBox, std::int32_t& value,
                    const QString& titleTail);
    void pickSizedFont(QLineEdit* preview, QLineEdit* sizeBox, float liveSize);
    void OKButton_Click();

    WindowLooks m_current;
    QString m_mainCaption;
    platform::PickerDialogs& m_pickers;
    Apply m_apply;
    // The colours the previews show, in the stored form, so a system colour stays one.
    std::int32_t m_backValue;
    std::int32_t m_accentValue;

    QGroupBox* Frame5;
    QRadioButton* Option1; // colour preset: defaults
    QRadioButton* Option2; // colour preset: recommended
    QLineEdit* Text6;      // background colour preview; a click picks the colour
    QLineEdit* Text7;      // accent colour preview; a click picks the colour
    QLineEdit* Text8;      // the background colour as decimal text
    QLineEdit* Text9;      // the accent colour as decimal text
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QLineEdit* Text1; // input line font preview, shows the font name
    QGroupBox* Frame3;
    QLineEdit* Text2; // history font preview: name, five blanks, size
    QLineEdit* Text4; // history font size
    QGroupBox* Frame4;
    QLineEdit* Text3; // memo font preview: name, five blanks, size
    QLineEdit* Text5; // memo font size
    QPushButton* OKButton;
    QPushButton* CancelButton;
};

} // namespace sumiplex::ui
