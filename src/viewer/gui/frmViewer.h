#pragma once

// The compiled-plan viewer's window: the plan's pages, its contents from
// the document's bookmarks, search, print, Save a Copy, and the way back
// to the plan in the Plan Composer.

#include "viewer/ViewerCommandLine.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPdfBookmarkModel;
class QPdfDocument;
class QPdfSearchModel;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class QTreeView;

namespace qv::viewer {

class PdfPageView;

class frmViewer : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmViewer(QWidget *parent = nullptr);
    ~frmViewer() override;

    // Shows the request's plan. A file that cannot be shown is reported and
    // the plan shown before stays; returns whether it was shown.
    bool open(const ViewerRequest &request);
    const ViewerRequest &request() const { return m_request; }
    QPdfDocument *document() const { return m_document; }
    PdfPageView *pageView() const { return m_view; }

    // The commands, public for the tests.
    void openWithDialog();
    bool saveACopy();
    bool print();
    void editDocument();
    void backToComposer();
    void zoomIn();
    void zoomOut();
    void actualSize();
    void fitWidth();
    void fitPage();
    void goToPage(int page); // 0-based
    int currentPage() const;
    // Searches the plan; the hits are listed and the first one shown.
    void find(const QString &text);
    void findNext();
    void findPrevious();
    // Shows the search hit (a row of the list); -1 when none is shown.
    void showHit(int hit);
    int currentHit() const { return m_hit; }
    int hitCount() const;

    // Starts the way back (tests replace it); by default the Plan Composer
    // is started on the plan document.
    using ComposerStarter = std::function<bool(const QString &planDocument)>;
    void setComposerStarter(ComposerStarter starter) { m_startComposer = std::move(starter); }

private:
    void buildActions();
    void buildMenus();
    void buildToolbar();
    void buildPanel();
    void showDocument(QPdfDocument *document);
    void updateCommands();
    void updatePageIndicator(int page);
    void updateZoomChoice();
    void setComfortableZoom();
    void contentsActivated(const QModelIndex &index);
    void searchUpdated();
    void stepZoom(int direction);

    ViewerRequest m_request;
    QString m_returnPlan;
    QPdfDocument *m_document = nullptr;
    QPdfBookmarkModel *m_bookmarks;
    QPdfSearchModel *m_search;
    int m_hit = -1;
    bool m_zoomChosen = false;
    ComposerStarter m_startComposer;

    QStackedWidget *m_pages;
    PdfPageView *m_view;
    QLabel *lblEmpty;
    QTabWidget *tabPanel;
    QTreeView *tvwContents;
    QListView *lstResults;
    QLabel *lblResults;
    QLineEdit *txtFind;
    QSpinBox *spnPage;
    QLabel *lblPageCount;
    QComboBox *cboZoom;
    QLabel *lblSample;
    QAction *m_sampleMark = nullptr;

    struct Actions
    {
        QAction *open, *saveCopy, *edit, *print, *back, *close;
        QAction *contents, *zoomIn, *zoomOut, *actualSize, *fitWidth, *fitPage, *previousPage, *nextPage;
        QAction *find, *findNext, *findPrevious;
    } m_act{};
};

} // namespace qv::viewer
