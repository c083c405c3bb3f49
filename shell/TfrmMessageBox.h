#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>

#include <string>

class ImageControl;
class QLabel;

// The skinned modal box through which the game shows every notice and question. It can
// be left only through one of its visible buttons; the keyboard gives no answer.
class TfrmMessageBox : public QDialog {
    Q_OBJECT

public:
    explicit TfrmMessageBox(QWidget* parent = nullptr);
    ~TfrmMessageBox() override;

    // The box created at start-up, or nullptr before it exists.
    static TfrmMessageBox* instance();

    // Kind 4 asks Yes (6) or No (7); any other kind is a notice answered with OK (1).
    // Creates the box when start-up has not. Texts are UTF-8.
    static int showMessage(const std::string& caption, const std::string& text, int messageKind);

    // Shows this box modally and returns the answer.
    int ask(const QString& caption, const QString& text, int messageKind);

    int messageKind() const { return messageKind_; }
    bool okHighlighted() const { return okHighlighted_; }
    bool yesHighlighted() const { return yesHighlighted_; }
    bool noHighlighted() const { return noHighlighted_; }
    bool isDragging() const { return dragging_; }

    ImageControl* imgBackground = nullptr;
    QLabel* lblCaption = nullptr;
    QLabel* lblText = nullptr;
    ImageControl* btnYes = nullptr;
    ImageControl* btnOk = nullptr;
    ImageControl* btnNo = nullptr;

    void btnOkClick();
    void btnYesClick();
    void btnNoClick();
    void btnOkMouseMove();
    void btnYesMouseMove();
    void btnNoMouseMove();
    void imgBackgroundMouseDown(QPoint pos);
    void imgBackgroundMouseMove(QPoint pos);
    void imgBackgroundMouseUp();

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    bool FormCloseQuery();
    void answer(int result);

    QPixmap btnOkUnselected, btnOkSelected, btnYesUnselected, btnYesSelected, btnNoUnselected,
        btnNoSelected;

    int messageKind_ = 0;
    bool closeAllowed_ = false;
    bool okHighlighted_ = false;
    bool yesHighlighted_ = false;
    bool noHighlighted_ = false;
    bool dragging_ = false;
    bool shownBefore_ = false;
    bool busy_ = false;
    QPoint dragOrigin_;
};
