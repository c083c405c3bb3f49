#include "HelpViewer.h"

#include "ArtResource.h"
#include "DesktopOpener.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The toolkit adds the game's name after it.
const char* const kTitle = "Aide";

// Pages, pictures and style sheets come out of the collection, not from the disc.
class HelpPage : public QTextBrowser {
public:
    explicit HelpPage(QWidget* parent) : QTextBrowser(parent) {}
    QHelpEngine* engine = nullptr;

    QVariant loadResource(int type, const QUrl& name) override {
        if (engine && name.scheme() == QLatin1String("qthelp")) {
            // On a high-density screen a picture's twin, shown at the picture's size.
            if (type == QTextDocument::ImageResource && ArtResource::ratio() == 2) {
                QUrl twin = name;
                twin.setPath(ArtResource::twinOf(name.path()));
                QImage picture = QImage::fromData(engine->fileData(twin));
                if (!picture.isNull()) {
                    picture.setDevicePixelRatio(2);
                    return picture;
                }
            }
            const QByteArray data = engine->fileData(name);
            // Style sheets are taken only as text.
            if (type == QTextDocument::StyleSheetResource)
                return QString::fromUtf8(data);
            return data;
        }
        return QTextBrowser::loadResource(type, name);
    }
};

HelpPage* pageOf(QTextBrowser* browser) {
    return static_cast<HelpPage*>(browser);
}

QString plural(int n, const char* one, const char* many) {
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? one : many);
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setWindowIcon(QIcon(ArtResource::pixmap(QStringLiteral(":/art/icon.png"))));
    // Roomy for reading, yet inside the smallest screens the game runs on.
    QSize size(860, 600);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);

    back_ = new QToolButton;
    back_->setText(QString::fromUtf8("◀ Précédent"));
    back_->setToolTip(QString::fromUtf8("Revenir à la page précédente"));
    back_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    forward_ = new QToolButton;
    forward_->setText(QString::fromUtf8("Suivant ▶"));
    forward_->setToolTip(QString::fromUtf8("Aller à la page suivante"));
    auto* home = new QToolButton;
    home->setText(QStringLiteral("Sommaire"));
    home->setToolTip(QString::fromUtf8("Revenir au sommaire et à la première page"));
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(home);
    bar->addStretch();

    tabs_ = new QTabWidget;
    page_ = new HelpPage(nullptr);
    page_->setOpenLinks(false);
    page_->setMinimumWidth(360);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(tabs_);
    splitter->addWidget(page_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 600});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);

    // The search tab is the viewer's own, so it survives a change of collection.
    QWidget* searchTab = buildSearchTab();
    tabs_->addTab(searchTab, QStringLiteral("&Recherche"));

    connect(back_, &QToolButton::clicked, page_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, page_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, &HelpViewer::showContents);
    // F1 in the viewer itself does what it does in the game: back to the contents.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &HelpViewer::showContents);
    connect(page_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(page_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(page_, &QTextBrowser::anchorClicked, this, &HelpViewer::openPage);
    connect(tabs_, &QTabWidget::currentChanged, this, [this, searchTab](int) {
        if (tabs_->currentWidget() == searchTab)
            searchField_->setFocus();
        else if (tabs_->currentWidget() == indexTab_)
            indexFilter_->setFocus();
    });
    // The window's title names the page shown, as a book's running head does.
    connect(page_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = page_->documentTitle();
        const QString base = QString::fromUtf8(kTitle);
        setWindowTitle(title.isEmpty() ? base : base + QStringLiteral(" : ") + title);
    });
}

QWidget* HelpViewer::buildSearchTab() {
    auto* searchTab = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchTab);
    auto* searchRow = new QHBoxLayout;
    searchField_ = new QLineEdit;
    searchField_->setPlaceholderText(QString::fromUtf8("Mot à chercher"));
    auto* searchButton = new QPushButton(QStringLiteral("Rechercher"));
    searchRow->addWidget(searchField_, 1);
    searchRow->addWidget(searchButton);
    searchStatus_ = new QLabel;
    searchStatus_->setWordWrap(true);
    results_ = new QListWidget;
    searchLayout->addWidget(new QLabel(QString::fromUtf8("Chercher dans toutes les pages :")));
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(searchStatus_);
    searchLayout->addWidget(results_, 1);
    connect(searchField_, &QLineEdit::returnPressed, this,
            [this] { search(searchField_->text()); });
    connect(searchButton, &QPushButton::clicked, this, [this] { search(searchField_->text()); });
    connect(results_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openPage(item->data(Qt::UserRole).toUrl()); });
    connect(results_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { openPage(item->data(Qt::UserRole).toUrl()); });
    return searchTab;
}

HelpViewer::~HelpViewer() {
    dropCollection();
}

// The contents and index widgets belong to the engine's models: they go before it does.
void HelpViewer::dropCollection() {
    pageOf(page_)->engine = nullptr;
    delete contentsTab_;
    delete indexTab_;
    contentsTab_ = indexTab_ = nullptr;
    indexFilter_ = nullptr;
    if (engine_)
        engine_->searchEngine()->cancelIndexing();
    engine_.reset();
    collectionFile_.clear();
    homePage_ = QUrl();
    indexing_ = false;
}

bool HelpViewer::openCollection(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (engine_ && absolute == collectionFile_)
        return true;

    const QFileInfo info(absolute);
    if (!info.isFile() || !info.isReadable())
        return false;
    auto engine = std::make_unique<QHelpEngine>(absolute);
    // The collection is built with the game; the viewer never changes it.
    engine->setReadOnly(true);
    if (!engine->setupData() || engine->registeredDocumentations().isEmpty())
        return false;
    for (const QString& ns : engine->registeredDocumentations()) {
        const QFileInfo documentation(engine->documentationFileName(ns));
        if (!documentation.isFile() || !documentation.isReadable())
            return false;
    }

    dropCollection();
    engine_ = std::move(engine);
    collectionFile_ = absolute;
    pageOf(page_)->engine = engine_.get();
    page_->clear();
    page_->clearHistory();
    results_->clear();
    searchStatus_->clear();
    buildPanels();
    return true;
}

void HelpViewer::buildPanels() {
    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setHeaderHidden(true);
    contentsTab_ = contents;
    tabs_->insertTab(0, contentsTab_, QStringLiteral("&Sommaire"));

    indexTab_ = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexTab_);
    indexFilter_ = new QLineEdit;
    indexFilter_->setPlaceholderText(QString::fromUtf8("Début du mot-clé"));
    QHelpIndexWidget* index = engine_->indexWidget();
    indexLayout->addWidget(new QLabel(QString::fromUtf8("Mot-clé à trouver :")));
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index, 1);
    tabs_->insertTab(1, indexTab_, QStringLiteral("&Index"));

    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpViewer::openPage);
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this,
            &HelpViewer::onContentsCreated);
    connect(indexFilter_, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(indexFilter_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { openPage(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links, const QString&) {
                if (!links.isEmpty())
                    openPage(links.first().url);
            });

    QHelpSearchEngine* searchEngine = engine_->searchEngine();
    connect(searchEngine, &QHelpSearchEngine::indexingStarted, this, [this] { indexing_ = true; });
    connect(searchEngine, &QHelpSearchEngine::indexingFinished, this, [this] {
        indexing_ = false;
        if (!pendingSearch_.isEmpty())
            runSearch();
    });
    connect(searchEngine, &QHelpSearchEngine::searchingFinished, this,
            &HelpViewer::onSearchFinished);
    indexing_ = true;
    searchEngine->scheduleIndexDocumentation();

    if (!engine_->contentModel()->isCreatingContents())
        onContentsCreated();
}

void HelpViewer::onContentsCreated() {
    QHelpContentModel* model = engine_->contentModel();
    if (model->rowCount() > 0) {
        if (QHelpContentItem* first = model->contentItemAt(model->index(0, 0)))
            homePage_ = first->url();
        engine_->contentWidget()->expandToDepth(0);
    }
    if (showHomeWhenReady_ && homePage_.isValid()) {
        showHomeWhenReady_ = false;
        openPage(homePage_);
    }
    emit contentsReady();
}

void HelpViewer::showContents() {
    if (!engine_)
        return;
    tabs_->setCurrentWidget(contentsTab_);
    if (homePage_.isValid())
        openPage(homePage_);
    else
        showHomeWhenReady_ = true;
}

void HelpViewer::showIndex() {
    if (!engine_)
        return;
    tabs_->setCurrentWidget(indexTab_);
    indexFilter_->setFocus();
}

void HelpViewer::openPage(const QUrl& url) {
    if (!url.isValid())
        return;
    if (url.scheme() != QLatin1String("qthelp")) {
        DesktopOpener::open(url.toString());
        return;
    }
    page_->setSource(url);
    if (contentsTab_) {
        QHelpContentWidget* contents = engine_->contentWidget();
        const QModelIndex at = contents->indexOf(url);
        if (at.isValid())
            contents->setCurrentIndex(at);
    }
}

QUrl HelpViewer::currentPage() const {
    return page_->source();
}

QWidget* HelpViewer::indexList() const {
    return engine_ ? engine_->indexWidget() : nullptr;
}

void HelpViewer::search(const QString& words) {
    const QString trimmed = words.trimmed();
    if (!engine_ || trimmed.isEmpty())
        return;
    tabs_->setCurrentIndex(tabs_->count() - 1);
    if (searchField_->text() != words)
        searchField_->setText(words);
    pendingSearch_ = trimmed;
    results_->clear();
    if (indexing_)
        searchStatus_->setText(QString::fromUtf8("Préparation de la recherche…"));
    else
        runSearch();
}

void HelpViewer::runSearch() {
    const QString words = pendingSearch_;
    lastSearch_ = words;
    pendingSearch_.clear();
    searchStatus_->setText(QString::fromUtf8("Recherche en cours…"));
    engine_->searchEngine()->search(words);
}

void HelpViewer::onSearchFinished(int hits) {
    results_->clear();
    const QList<QHelpSearchResult> found = engine_->searchEngine()->searchResults(0, hits);
    for (const QHelpSearchResult& result : found) {
        auto* item = new QListWidgetItem(result.title(), results_);
        item->setData(Qt::UserRole, result.url());
        item->setToolTip(result.snippet());
    }
    if (found.isEmpty()) {
        searchStatus_->setText(QString::fromUtf8("Aucune page ne contient ces mots."));
    } else {
        // The best match opens at once; the others wait in the list.
        results_->setCurrentRow(0);
        openPage(found.first().url());
        // Show where the word stands rather than the top of the page.
        page_->find(lastSearch_.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty));
        searchStatus_->setText(plural(int(found.size()), "page trouvée", "pages trouvées") +
                               QString::fromUtf8(" ; cliquez sur un titre pour l'ouvrir."));
    }
    emit searchFinished(int(found.size()));
}
