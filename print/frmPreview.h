#pragma once

#include "engine/DataPage.h"

#include <QImage>
#include <QWidget>

class QScrollBar;
class UserDialogs;

namespace print {

class Printers;

// "printVIEW": the data-setting page of the editing window, drawn on its
// picture as a preview or sent to the printer.
class frmPreview : public QWidget {
    Q_OBJECT
public:
    frmPreview(DataPageLayout layout, Printers &printers, UserDialogs &dialogs, QWidget *parent = nullptr);

    // What the editing window hands over: a text per setting, and PrintGrid.
    DataPageData data;
    bool blnPrint = false;
    // The print job's name in the printer's queue.
    QString jobTitle;
    // The handed-over text of a setting by its name ("strPCmodel").
    QString text(const QString &variable) const;

    // Prints the page on the default printer and closes the window.
    bool PrintF();
    // Draws the page on the picture.
    void Preview();

    const DataPageLayout &layout() const { return m_layout; }
    // What the page picture holds.
    const QImage &picture() const { return m_image; }
    QWidget *pagePicture() const { return Picture1; }

    void VScroll1_Change(int value);

private:
    double SetupPageScale() const;
    int px(double twips) const;

    DataPageLayout m_layout;
    Printers &m_printers;
    UserDialogs &m_dialogs;
    QWidget *Picture2 = nullptr;
    QWidget *Picture1 = nullptr;
    QScrollBar *VScroll1 = nullptr;
    QImage m_image;
    double m_pictureTop = 0;     // twips
    double m_pictureHeight = 0;  // twips
};

} // namespace print
