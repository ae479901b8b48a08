#include "form_menu.h"

#include "app/product.h"
#include "app/window_services.h"
#include "dialogs/about_box.h"
#include "dialogs/color_dialog.h"
#include "ruler/ruler_window.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QScreen>

#include <algorithm>
#include <string>

FormMenu::FormMenu(Form1 &ruler)
    : m_ruler(ruler)
    , m_commands(ruler.behaviour(), ruler, *this, ruler.settings())
    , m_mnuRight(std::make_unique<QMenu>(QStringLiteral("右键菜单"), &ruler))
{
    for (const MenuEntry &entry : commandMenu()) {
        if (entry.isSeparator()) {
            m_items.append(m_mnuRight->addSeparator());
            continue;
        }
        QAction *item = m_mnuRight->addAction(QString::fromUtf8(entry.caption));
        item->setCheckable(entry.checkable);
        connect(item, &QAction::triggered, this, [this, &entry] { run(entry); });
        m_items.append(item);
    }
    connect(m_mnuRight.get(), &QMenu::aboutToShow, this, &FormMenu::showCheckMarks);
}

FormMenu::~FormMenu() = default;

QAction *FormMenu::item(MenuCommand command, int index) const
{
    const std::span<const MenuEntry> entries = commandMenu();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].isSeparator() && entries[i].command == command &&
            entries[i].index == index)
            return m_items[qsizetype(i)];
    }
    return nullptr;
}

void FormMenu::showCheckMarks()
{
    const std::span<const MenuEntry> entries = commandMenu();
    for (size_t i = 0; i < entries.size(); ++i)
        m_items[qsizetype(i)]->setChecked(isChecked(entries[i], m_commands.state()));
}

void FormMenu::run(const MenuEntry &entry)
{
    m_commands.run(entry);
    // Qt flipped the chosen item's own mark; the state says where the marks go.
    if (entry.command != MenuCommand::Quit)
        showCheckMarks();
}

void FormMenu::popup(QPoint globalPosition)
{
    m_mnuRight->popup(globalPosition);
}

int FormMenu::showModal(QDialog &dialog, bool topmost)
{
    if (topmost)
        setTopmost(&dialog, true);
    return dialog.exec();
}

void FormMenu::showAboutBox(bool topmost)
{
    FormAbout box(&m_ruler);
    showModal(box, topmost);
}

void FormMenu::showTextBox(std::string_view caption, std::string_view text, bool topmost)
{
    FormAbout box(&m_ruler);
    box.setWindowTitle(QString::fromUtf8(caption));
    box.Label2()->setText(QString::fromUtf8(text));
    showModal(box, topmost);
}

void FormMenu::showColorDialog(bool topmost)
{
    Form2 dialog(m_ruler);
    showModal(dialog, topmost);
}

std::string FormMenu::askText(std::string_view prompt, std::string_view defaultText,
                              bool topmost)
{
    QInputDialog box(&m_ruler);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(productTitle());
    box.setLabelText(QString::fromUtf8(prompt));
    box.setTextValue(QString::fromUtf8(defaultText));
    box.adjustSize();
    // Above the ruler, never over the span being measured.
    const QRect screen = m_ruler.screen()->availableGeometry();
    const int gap = m_ruler.height() / 2;
    box.move(screen.center().x() - box.width() / 2,
             std::max(screen.top(), m_ruler.y() - gap - box.frameGeometry().height()));
    return showModal(box, topmost) == QDialog::Accepted ? box.textValue().toStdString()
                                                        : std::string();
}

void FormMenu::quit()
{
    m_mnuRight->close();
    m_ruler.close();
}
