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
    // How the window reaches the world outside itself; the defaults are the real modal message box
    // and the real end of the process. Tests replace them to watch what happens.
    struct Seams {
        std::function<void(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                           const QString &prompt)>
            showMessage;
        std::function<void()> endProgram;
    };

    explicit FrmDc(Seams seams = {});

    const CodeTable &codeTable() const { return m_table; }

    void setVisible(bool visible) override;

    // The window's load step: runs once, before it is first shown.
    void Form_Load();

    void CmdOK_Click();
    void Cmdm_Click();
    void CmdCE_Click();

    // The real seams.
    static void showModalMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                 const QString &prompt);
    [[noreturn]] static void endProcess();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setCode(const QString &code);

    CodeTable m_table;
    bool m_loaded = false;
    Seams m_seams;

    QLineEdit *TxtC;
    CaptionLabel *Label1;
    QPushButton *CmdOK;
    QPushButton *Cmdm;
    QPushButton *CmdCE;
    ResultBox *TxtGD;
    CaptionLabel *Label3;
};
