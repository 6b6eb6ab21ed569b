#pragma once

#include "shell/course_activation.h"
#include "shell/course_menu.h"

#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace pw {

// The menu panel's content: the course tree tvMenu, the contents tree tvCont and the tab bar
// sMenuCont with the toggle buttons tbMenuStandart and tbMenuCont. It owns the course menu and
// knows nothing of the main window: what a choice means for the rest of the window is asked for
// through the callbacks.
class TCourseTrees : public QWidget
{
public:
    struct Callbacks
    {
        // Before anything is chosen: lay out the main area, Paused := false and clear the lesson
        // state (type, file, title, parameters).
        std::function<void()> beforeActivation;
        // A lesson item was chosen: take its lesson state, set the caption and open it.
        std::function<void(const TCourseLesson &)> openLesson;
        // A heading asks for a page, relative to the data directory; the language variant is
        // still to be applied, as ShowPage does.
        std::function<void(const std::string &)> showPage;
        // After every activation and tab press: the window state update, which is expected to
        // begin with LayoutTrees(). Without it the trees are laid out alone.
        std::function<void()> refreshState;
        // Whether the lesson in hand may be left (unsaved work asks first); without it, always.
        std::function<bool()> mayLeave;
    };

    // Roles of the tree nodes' data: the item index and the image index in ilTv.
    static constexpr int ItemIndexRole = Qt::UserRole + 1;
    static constexpr int ImageIndexRole = Qt::UserRole + 2;

    TCourseTrees(Ui &ui, QWidget *parent = nullptr);

    void SetCallbacks(Callbacks callbacks) { m_callbacks = std::move(callbacks); }

    // Loads the menu file into the model and both trees (the model's return value). Pages are
    // looked up under dataDir.
    int Load(const std::filesystem::path &file, const std::string &language,
             const std::filesystem::path &dataDir);

    // Chooses item x, whose node is node (what a click or double click on node does).
    void Activate(int x, QTreeWidgetItem *node);
    // Selects the course tree's first lesson of that type and file (backslashes or slashes, any
    // case) and activates it as a click would; false when the course has none.
    bool ActivateLesson(const std::string &type, const std::string &file);

    // Shows the tree of the tab that is down: one tree per tab.
    void LayoutTrees();
    // 1 course tree, 2 contents tree.
    int MenuView() const { return m_menuView; }
    // The node of the lesson or heading activated last, in whichever tree.
    QTreeWidgetItem *CurrentNode() const { return m_current; }

    // With the localisation file in use the tab buttons show their other pictures.
    void SetLocalized(bool inUse);
    // The course tree's font, from the notation parameter file.
    void SetCourseFont(const std::string &name, int pointSize);

    const txmlmenu &Menu() const { return m_menu; }
    // The contents page shown last by a heading; cleared when a lesson opens.
    const std::string &ContentPage() const { return m_contentPage; }

    QTreeWidget *tvMenu() const { return m_tvMenu; }
    QTreeWidget *tvCont() const { return m_tvCont; }

    static int ItemIndex(const QTreeWidgetItem *node);
    static int ImageIndex(const QTreeWidgetItem *node);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QTreeWidget *makeTree(const char *name);
    QToolButton *makeTab(const char *name);
    QTreeWidget *treeOf(CourseTree tree) const;
    void buildTrees();
    void setImage(QTreeWidgetItem *node, int image) const;
    void chosen(QTreeWidgetItem *node);
    void tabPressed();
    void refreshState();

    Ui &m_ui;
    txmlmenu m_menu;
    std::filesystem::path m_dataDir;
    std::string m_contentPage;
    int m_menuView = 1;
    Callbacks m_callbacks;

    std::vector<QIcon> m_ilTv;
    std::vector<QPixmap> m_tabPictures;
    QTreeWidget *m_tvMenu;
    QTreeWidget *m_tvCont;
    QWidget *m_sMenuCont;
    QToolButton *m_tbMenuStandart;
    QToolButton *m_tbMenuCont;
    QTreeWidgetItem *m_current = nullptr;
};

// The nodes of the tree that are not inside a collapsed node.
int VisibleNodeCount(const QTreeWidget &tree);

} // namespace pw
