#include "shell/course_trees.h"

#include "platform/error.h"
#include "shell/tree_images.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QPalette>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <cctype>

namespace pw {

namespace {

int countVisible(const QTreeWidgetItem *node)
{
    int count = 1;
    if (node->isExpanded()) {
        for (int i = 0; i < node->childCount(); ++i)
            count += countVisible(node->child(i));
    }
    return count;
}

} // namespace

int VisibleNodeCount(const QTreeWidget &tree)
{
    int count = 0;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        count += countVisible(tree.topLevelItem(i));
    return count;
}

TCourseTrees::TCourseTrees(Ui &ui, QWidget *parent)
    : QWidget(parent)
    , m_ui(ui)
    , m_menu(ui)
    , m_ilTv(MakeTreeImageList())
    , m_tabPictures(MakeTabImageList())
    , m_tvMenu(makeTree("tvMenu"))
    , m_tvCont(makeTree("tvCont"))
    , m_sMenuCont(new QWidget(this))
    , m_tbMenuStandart(makeTab("tbMenuStandart"))
    , m_tbMenuCont(makeTab("tbMenuCont"))
{
    m_sMenuCont->setObjectName("sMenuCont");
    m_sMenuCont->setFixedHeight(m_tabPictures.front().height() + 6);
    // One tab down at a time, and the tree shown is the tab's.
    auto *tabs = new QButtonGroup(this);
    tabs->setExclusive(true);
    tabs->addButton(m_tbMenuStandart);
    tabs->addButton(m_tbMenuCont);
    m_tbMenuStandart->setChecked(true);
    SetLocalized(false);
    setMinimumWidth(2 * (m_tabPictures.front().width() + 8));
    LayoutTrees();
}

QTreeWidget *TCourseTrees::makeTree(const char *name)
{
    auto *tree = new QTreeWidget(this);
    tree->setObjectName(name);
    tree->setColumnCount(1);
    tree->header()->hide();
    tree->setRootIsDecorated(false);
    tree->setIndentation(19);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setExpandsOnDoubleClick(false);
    tree->setIconSize(QSize(16, 16));
    // The chosen node stays marked while the focus is elsewhere (in the page or the staff).
    QPalette palette = tree->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    tree->setPalette(palette);
    connect(tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *node) { chosen(node); });
    connect(tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *node) { chosen(node); });
    return tree;
}

QToolButton *TCourseTrees::makeTab(const char *name)
{
    auto *button = new QToolButton(m_sMenuCont);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setIconSize(m_tabPictures.front().size());
    connect(button, &QToolButton::clicked, this, [this] { tabPressed(); });
    return button;
}

QTreeWidget *TCourseTrees::treeOf(CourseTree tree) const
{
    return tree == CourseTree::Menu ? m_tvMenu : m_tvCont;
}

int TCourseTrees::ItemIndex(const QTreeWidgetItem *node)
{
    return node->data(0, ItemIndexRole).toInt();
}

int TCourseTrees::ImageIndex(const QTreeWidgetItem *node)
{
    return node->data(0, ImageIndexRole).toInt();
}

void TCourseTrees::setImage(QTreeWidgetItem *node, int image) const
{
    node->setData(0, ImageIndexRole, image);
    const bool inList = image >= 0 && image < static_cast<int>(m_ilTv.size());
    node->setIcon(0, inList ? m_ilTv[static_cast<std::size_t>(image)] : QIcon());
}

int TCourseTrees::Load(const std::filesystem::path &file, const std::string &language,
                       const std::filesystem::path &dataDir)
{
    m_dataDir = dataDir;
    m_contentPage.clear();
    m_current = nullptr;
    m_tvMenu->clear();
    m_tvCont->clear();
    const int result = m_menu.Load(file, language);
    if (result == 0)
        buildTrees();
    LayoutTrees();
    return result;
}

void TCourseTrees::buildTrees()
{
    std::vector<QTreeWidgetItem *> nodes;
    nodes.reserve(static_cast<std::size_t>(m_menu.Count()));
    for (int i = 0; i < m_menu.Count(); ++i) {
        const TMenuNode &place = m_menu.Nodes[static_cast<std::size_t>(i)];
        auto *node = new QTreeWidgetItem;
        node->setText(0, QString::fromStdString(m_menu.Texts[static_cast<std::size_t>(i)]));
        node->setData(0, ItemIndexRole, i);
        setImage(node, place.icon);
        if (place.parent < 0)
            treeOf(place.tree)->addTopLevelItem(node);
        else
            nodes[static_cast<std::size_t>(place.parent)]->addChild(node);
        nodes.push_back(node);
    }
    if (m_menu.Expand)
        treeOf(m_menu.LastTree)->expandAll();
}

void TCourseTrees::chosen(QTreeWidgetItem *node)
{
    if (!node)
        return;
    try {
        Activate(ItemIndex(node), node);
    } catch (const Error &error) {
        // The event is abandoned; the program goes on.
        m_ui.message("Ошибка", error.what());
    }
    node->treeWidget()->viewport()->update();
}

void TCourseTrees::Activate(int x, QTreeWidgetItem *node)
{
    if (x < 0 || x >= m_menu.Count())
        throw RangeError("Menu item index " + std::to_string(x) + " out of range");
    // Work that would be lost keeps the lesson in hand, and its node stays the chosen one.
    if (node && node != m_current && m_callbacks.mayLeave && !m_callbacks.mayLeave()) {
        node->treeWidget()->clearSelection();
        if (m_current)
            m_current->treeWidget()->setCurrentItem(m_current);
        return;
    }
    if (m_callbacks.beforeActivation)
        m_callbacks.beforeActivation();
    // One node is chosen in both trees together.
    if (node) {
        QTreeWidget *other = node->treeWidget() == m_tvMenu ? m_tvCont : m_tvMenu;
        other->clearSelection();
        other->setCurrentItem(nullptr);
        m_current = node;
    }
    if (m_menu.IsLesson(x)) {
        const QTreeWidgetItem *parent = node ? node->parent() : nullptr;
        const std::string parentCaption = parent ? parent->text(0).toStdString() : std::string();
        const TCourseLesson lesson = LessonOfItem(m_menu, x, parent ? &parentCaption : nullptr);
        m_contentPage.clear();
        if (m_callbacks.openLesson)
            m_callbacks.openLesson(lesson);
    } else {
        if (node && !node->parent()) {
            node->setExpanded(!node->isExpanded());
            setImage(node, ImageIndex(node) == 8 ? 9 : 8);
        }
        const std::string page = HeadingPage(m_menu, x, m_dataDir);
        if (page != m_contentPage) {
            m_contentPage = page;
            if (!page.empty() && m_callbacks.showPage)
                m_callbacks.showPage(page);
        }
    }
    refreshState();
}

bool TCourseTrees::ActivateLesson(const std::string &type, const std::string &file)
{
    for (QTreeWidgetItemIterator it(m_tvMenu); *it; ++it) {
        const auto x = static_cast<std::size_t>(ItemIndex(*it));
        if (m_menu.Types.at(x) == type && SameDataFile(m_menu.Files.at(x), file)) {
            for (QTreeWidgetItem *up = (*it)->parent(); up; up = up->parent())
                up->setExpanded(true);
            m_tvMenu->setCurrentItem(*it);
            Activate(static_cast<int>(x), *it);
            return true;
        }
    }
    return false;
}

void TCourseTrees::refreshState()
{
    if (m_callbacks.refreshState)
        m_callbacks.refreshState();
    else
        LayoutTrees();
}

void TCourseTrees::tabPressed()
{
    LayoutTrees();
    refreshState();
}

void TCourseTrees::LayoutTrees()
{
    m_menuView = m_tbMenuCont->isChecked() ? 2 : 1;

    const int barHeight = m_sMenuCont->height();
    const int barTop = std::max(0, height() - barHeight);
    m_sMenuCont->setGeometry(0, barTop, width(), barHeight);
    const int tabWidth = width() / 2;
    m_tbMenuStandart->setGeometry(0, 0, tabWidth, barHeight);
    m_tbMenuCont->setGeometry(tabWidth, 0, width() - tabWidth, barHeight);

    m_tvMenu->setGeometry(0, 0, width(), barTop);
    m_tvMenu->setVisible(m_menuView == 1);
    m_tvCont->setGeometry(0, 0, width(), barTop);
    m_tvCont->setVisible(m_menuView == 2);
}

void TCourseTrees::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutTrees();
}

void TCourseTrees::SetLocalized(bool inUse)
{
    const std::size_t first = inUse ? 2 : 0;
    m_tbMenuStandart->setIcon(QIcon(m_tabPictures[first]));
    m_tbMenuCont->setIcon(QIcon(m_tabPictures[first + 1]));
}

void TCourseTrees::SetCourseFont(const std::string &name, int pointSize)
{
    QFont font = m_tvMenu->font();
    if (!name.empty())
        font.setFamily(QString::fromStdString(name));
    if (pointSize > 0)
        font.setPointSize(pointSize);
    m_tvMenu->setFont(font);
}

} // namespace pw
