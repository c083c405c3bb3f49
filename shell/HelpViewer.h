#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>

class QHelpEngine;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;

// The window that shows a help collection: contents, index and full-text search on the
// left, the page on the right, back and forward above. It follows the desktop's look, so
// long pages read comfortably, and stays open beside the game.
class HelpViewer : public QWidget {
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    // Loads a collection (reused when it is the one already shown). False when the file is
    // missing, unreadable or holds no documentation; the viewer then keeps what it had.
    bool openCollection(const QString& path);
    QString collectionFile() const { return collectionFile_; }

    // The contents, and the collection's first page beside them.
    void showContents();
    void showIndex();
    // Full-text search; the results list fills once the words are indexed.
    void search(const QString& words);
    void openPage(const QUrl& url);

    QUrl currentPage() const;
    // The first page of the contents, once they are built.
    QUrl homePage() const { return homePage_; }
    QTextBrowser* page() const { return page_; }
    QListWidget* searchResults() const { return results_; }
    QTabWidget* tabs() const { return tabs_; }
    QWidget* indexList() const;

signals:
    void contentsReady();
    void searchFinished(int hits);

private:
    QWidget* buildSearchTab();
    void buildPanels();
    void dropCollection();
    void onContentsCreated();
    void runSearch();
    void onSearchFinished(int hits);

    std::unique_ptr<QHelpEngine> engine_;
    QString collectionFile_;
    QUrl homePage_;
    bool showHomeWhenReady_ = false;
    bool indexing_ = false;
    QString pendingSearch_;
    QString lastSearch_;

    QTabWidget* tabs_ = nullptr;
    QWidget* contentsTab_ = nullptr;
    QWidget* indexTab_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QLabel* searchStatus_ = nullptr;
    QListWidget* results_ = nullptr;
    QTextBrowser* page_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
};
