#pragma once

#include "engine/PrintScript.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class UserDialogs;

namespace print {

class Printers;

// The page picture of the script preview: one page of the script in page
// twips, scaled to the picture's size.
class PagePicture : public QWidget {
    Q_OBJECT
public:
    explicit PagePicture(QWidget *parent);

    QSizeF scaleSize;        // the user scale, in twips of the page
    double fontRatio = 1;    // the zoom ratio applied to font sizes
    bool cleared = false;    // cleared and not drawn again yet
    Script script;
    int wantedPage = 1;
    QString failure;         // why the script could not be read

    // Draws what the picture shows onto any target, in page twips.
    void paintPage(PaintTarget &target) const;

protected:
    void paintEvent(QPaintEvent *) override;
};

// "Preview": one page of the print script, zoomed and scrolled, and sent to
// the printer.
class PrnPrv : public QWidget {
    Q_OBJECT
public:
    PrnPrv(QString scriptPath, Printers &printers, UserDialogs &dialogs, QWidget *parent = nullptr);

    void MostraPagina();
    void RenderPreviewPage(int scrollX, int scrollY);
    void SistemaHBAR();
    void SistemaVBAR();
    void UpdatePageLabels();
    // The page list holds "1" alone, selected.
    void ResetPageList();

    void Cmd_Click(int index);
    void Command3_Click();

    // The print job's name in the printer's queue.
    void setJobTitle(const QString &title) { m_jobTitle = title; }

    PagePicture *page() const { return Prv; }
    int zoom() const;

protected:
    bool event(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QPushButton *button(int index, const QString &text, const QString &tip);
    void Form_Load();
    void Form_Resize();
    void printFirstPage();

    QString m_scriptPath;
    QString m_jobTitle;
    Printers &m_printers;
    UserDialogs &m_dialogs;

    QWidget *bBar = nullptr;
    QWidget *sBar = nullptr;
    QWidget *m_view = nullptr; // clips the page picture
    PagePicture *Prv = nullptr;
    QScrollBar *hBar = nullptr;
    QScrollBar *vBar = nullptr;
    QComboBox *zVal = nullptr;
    QComboBox *ePag = nullptr;
    QPushButton *Command3 = nullptr;
    QList<QPushButton *> Cmd;
    QLabel *aPag = nullptr;
    QLabel *tPag = nullptr;
    QLabel *zPag = nullptr;
};

} // namespace print
