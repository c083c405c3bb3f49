// The built help collections, read as the viewer reads them: every page is reached from the
// contents, every link and picture resolves, and the index names every command.
#include <QDir>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QString runFile(const QString& name) {
    return QDir(qEnvironmentVariable("BRAMIDOU_RUN_DIR")).filePath(name);
}

QUrl withoutFragment(const QUrl& url) {
    return url.adjusted(QUrl::RemoveFragment);
}

// The viewer scrolls to an element's id, or to a named link inside a table.
bool hasAnchor(const QByteArray& page, const QString& fragment) {
    const QString text = QString::fromUtf8(page);
    return text.contains(QStringLiteral("id=\"%1\"").arg(fragment)) ||
           text.contains(QStringLiteral("name=\"%1\"").arg(fragment));
}

// A link of the contents or the index: its page exists, and so does its anchor.
bool resolves(const QHelpEngine& engine, const QUrl& url) {
    const QByteArray page = engine.fileData(withoutFragment(url));
    return !page.isEmpty() && (!url.hasFragment() || hasAnchor(page, url.fragment()));
}

// Every entry of the contents has a title and leads to a page; the pages it reaches.
void collectContents(const QHelpEngine& engine, QHelpContentItem* item, QSet<QUrl>* urls) {
    QVERIFY(item);
    QVERIFY2(!item->title().trimmed().isEmpty(), qPrintable(item->url().toString()));
    QVERIFY2(resolves(engine, item->url()), qPrintable(item->title()));
    urls->insert(withoutFragment(item->url()));
    for (int i = 0; i < item->childCount(); ++i)
        collectContents(engine, item->child(i), urls);
}

} // namespace

class TestHelpContent : public QObject {
    Q_OBJECT

    std::unique_ptr<QHelpEngine> open(const QString& collection) {
        auto engine = std::make_unique<QHelpEngine>(runFile(collection));
        engine->setReadOnly(true);
        if (!engine->setupData() || engine->registeredDocumentations().size() != 1)
            return nullptr;
        QHelpContentModel* model = engine->contentModel();
        if (model->isCreatingContents() || model->rowCount() == 0) {
            QSignalSpy created(model, &QHelpContentModel::contentsCreated);
            if (model->rowCount() == 0 && !created.wait(10000))
                return nullptr;
        }
        QHelpIndexModel* index = engine->indexModel();
        if (index->isCreatingIndex() || index->rowCount() == 0) {
            QSignalSpy created(index, &QHelpIndexModel::indexCreated);
            if (index->rowCount() == 0 && !created.wait(10000))
                return nullptr;
        }
        return engine;
    }

private slots:
    void everyPageReachedAndEveryLinkResolves_data() {
        QTest::addColumn<QString>("collection");
        QTest::newRow("game") << "bramidou.qhc";
        QTest::newRow("association") << "afas.qhc";
    }

    void everyPageReachedAndEveryLinkResolves() {
        QFETCH(QString, collection);
        const std::unique_ptr<QHelpEngine> engine = open(collection);
        QVERIFY2(engine, qPrintable(collection));
        const QString ns = engine->registeredDocumentations().first();

        QSet<QUrl> reached;
        QHelpContentModel* model = engine->contentModel();
        for (int row = 0; row < model->rowCount(); ++row) {
            collectContents(*engine, model->contentItemAt(model->index(row, 0)), &reached);
            if (QTest::currentTestFailed())
                return;
        }

        const QList<QUrl> pages = engine->files(ns, QStringList(), QStringLiteral("html"));
        QVERIFY(pages.size() >= 2);
        for (const QUrl& page : pages)
            QVERIFY2(reached.contains(page),
                     qPrintable(page.toString() + " is not in the contents"));

        // Links between pages, their anchors, pictures and style sheets.
        static const QRegularExpression reference(QStringLiteral("(href|src)=\"([^\"]+)\""));
        static const QRegularExpression charset(QStringLiteral("<meta charset=\"utf-8\">"));
        for (const QUrl& page : pages) {
            const QString html = QString::fromUtf8(engine->fileData(page));
            QVERIFY2(html.contains(charset), qPrintable(page.toString()));
            QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(page.toString()));
            for (auto match = reference.globalMatch(html); match.hasNext();) {
                const QRegularExpressionMatch m = match.next();
                const QUrl target = page.resolved(QUrl(m.captured(2)));
                if (target.scheme() != QLatin1String("qthelp"))
                    continue;
                const QString where = page.fileName() + QStringLiteral(" -> ") + m.captured(2);
                const QByteArray data = engine->fileData(withoutFragment(target));
                QVERIFY2(!data.isEmpty(), qPrintable(where + " does not resolve"));
                if (m.captured(1) == QLatin1String("src"))
                    QVERIFY2(!QImage::fromData(data).isNull(),
                             qPrintable(where + " is no picture"));
                if (target.hasFragment()) {
                    QVERIFY2(hasAnchor(data, target.fragment()),
                             qPrintable(where + " names a missing anchor"));
                }
            }
        }

        // Every index entry leads to a page of the collection.
        const QStringList keywords = engine->indexModel()->stringList();
        QVERIFY(!keywords.isEmpty());
        for (const QString& keyword : keywords) {
            const QList<QHelpLink> links = engine->documentsForKeyword(keyword);
            QVERIFY2(!links.isEmpty(), qPrintable(keyword));
            for (const QHelpLink& link : links)
                QVERIFY2(resolves(*engine, link.url),
                         qPrintable(keyword + " -> " + link.url.toString()));
        }
    }

    // A player looks a command up by its name or by its key.
    void indexNamesEveryCommandAndKey() {
        const std::unique_ptr<QHelpEngine> engine = open(QStringLiteral("bramidou.qhc"));
        QVERIFY(engine);
        const char* const entries[] = {
            // The commands of the main window.
            "Aide", "Charger une partie", "Sauver la partie", "Configuration", "A propos de",
            "Lecteur de CD audio", "Réduire le jeu", "Quitter", "Nouvelle partie",
            "Arrêter la partie", "Association R.I.Z.I.", "Lancer le dé", "Déplacer un cheval",
            // Their keys.
            "Touche F1", "Touche H", "Touche C", "Touche F2", "Touche S", "Touche F3", "Touche O",
            "Touche F4", "Touche A", "Touche F5", "Touche D", "Touche F6", "Touche F7", "Touche Q",
            "Touche F10", "Touche N", "Touche T", "Touche F", "Touche J", "Touche V", "Touche B",
            "Touche R"};
        for (const char* entry : entries) {
            const QString keyword = QString::fromUtf8(entry);
            QVERIFY2(!engine->documentsForKeyword(keyword).isEmpty(), entry);
        }
    }
};

QTEST_MAIN(TestHelpContent)
#include "tst_helpcontent.moc"
