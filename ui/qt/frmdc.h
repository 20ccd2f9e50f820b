// The main window. Data path: code typed into TxtC -> LookupCode (core) -> description or fixed text
// shown in TxtGD. The window only moves text between its boxes and the core.
#pragma once

#include "codetable.h"

#include <QDialog>
#include <QMessageBox>

#include <functional>

class QLineEdit;
class QPushButton;
class CaptionLabel;
class ResultBox;

class FrmDc : public QDialog
{
    Q_OBJECT

public:
    // How the window shows a message box; the default is the real modal one. Tests replace it to
    // watch what is shown.
    using ShowMessage = std::function<void(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                           const QString &prompt)>;

    // Creates the window with all its controls; the code table exists, empty.
    explicit FrmDc(ShowMessage showMessage = &FrmDc::showModalMessage);

    // What the whole program shares with the window: its default font (also that of message boxes and
    // menus) and the toolkit's own strings in Chinese. Once, before the window is created.
    static void setUpApplication();

    // Start-up: the load step, then the window centred on the screen and shown.
    void start();

    void Form_Load();
    void CmdOK_Click();
    void Cmdm_Click();
    void CmdCE_Click();

    static void showModalMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                 const QString &prompt);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void centreOnScreen();
    void setCode(const QString &code);

    CodeTable m_table;
    ShowMessage m_showMessage;

    QLineEdit *TxtC;
    CaptionLabel *Label1;
    QPushButton *CmdOK;
    QPushButton *Cmdm;
    QPushButton *CmdCE;
    ResultBox *TxtGD;
    CaptionLabel *Label3;
};
