#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

// Makes the pictures of the shared library (":/images/...") available.
// The library is linked statically, so its resources need this call once;
// every shared window makes it, and a main window that loads the toolbar
// icons before any of them should make it too.
void initCommonImages();

// The picture shown while the program starts. It hands over after one
// second, or at once on a key press; the caller then shows the main window.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 1000;
    // 10680 x 5880 twips at 15 twips a pixel.
    static constexpr QSize kClientSize{712, 392};

    explicit frmSplash(QWidget *parent = nullptr);

    QTimer Timer1;

signals:
    // Emitted once, just before the splash closes.
    void showMainWindow();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void handOver();

    QLabel *m_picture;
    bool m_handedOver = false;
};
