#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace sumiplex::platform {
class MessageBoxes;
class Shell;
} // namespace sumiplex::platform

namespace sumiplex::ui {

class ClickableLabel;

/// The about box: the program's title and version, the maker, the web page and a button
/// that starts the desktop's system-information program. Shown modally.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(const QString& mainCaption, platform::Shell& shell, platform::MessageBoxes& messages,
             QWidget* parent = nullptr);

private:
    void buildControls(const QString& mainCaption);
    void layOut();
    void cmdSysInfo_Click();
    void Label4_Click();

    platform::Shell& m_shell;
    platform::MessageBoxes& m_messages;

    QLabel* Image1; // the program's icon
    QLabel* Image2; // the built-in picture, small
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* Label1;         // rights line
    QLabel* Label2;         // credit line
    QLabel* Label3;         // caption of the web page address
    ClickableLabel* Label4; // the web page address; a click opens it
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

} // namespace sumiplex::ui
