#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>

class ImageControl;
class QLabel;

// The about window: title and version in the artwork, the maker's contacts as links that
// open a new mail or the web site, the association's badge and one OK button. Shown
// modally; it handles no key of its own.
class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent = nullptr);
    ~TfrmAbout() override;

    // The window created at start-up, or nullptr before it exists.
    static TfrmAbout* instance();
    // Shows that window modally (creating it when start-up has not) and waits for OK.
    static void showModal();

    // What the links hand to the desktop.
    static const char* const associationUrl;
    static const char* const mailSubject;

    bool okHighlighted() const { return okHighlighted_; }
    bool isDragging() const { return dragging_; }

    ImageControl* imgBackground = nullptr;
    QLabel* lblEmail1 = nullptr;
    QLabel* lblEmail2 = nullptr;
    QLabel* lblUrlAddress = nullptr;
    QLabel* lblPostalAddress = nullptr;
    ImageControl* imgCopyright = nullptr;
    ImageControl* imgAfas = nullptr;
    ImageControl* btnOk = nullptr;
    QPixmap OkSEL;

    void FormMouseDown(QPoint pos);
    void FormMouseMove(QPoint pos);
    void FormMouseUp();
    void UrlTo(QObject* sender);
    void Mailto(QLabel* sender);
    void btnOkClick();
    void btnOkMouseMove();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();

    bool okHighlighted_ = false;
    bool dragging_ = false;
    bool shownBefore_ = false;
    QPoint dragOrigin_;
};
