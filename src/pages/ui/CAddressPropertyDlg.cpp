#include "pages/ui/CAddressPropertyDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/ElementTypeText.h"
#include "model/CVX50TextDoc.h"
#include "pages/ui/CElementNameCombo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <utility>

namespace {

std::string GbkText(const QComboBox* combo, int index)
{
    return GbkFromQString(combo->itemText(index));
}

void FillCombo(QComboBox* combo, const std::vector<std::string>& texts)
{
    combo->clear();
    for (const std::string& text : texts)
        combo->addItem(QStringFromGbk(text));
}

int IndexOf(const std::vector<std::string>& texts, const std::string& text)
{
    const auto it = std::find(texts.begin(), texts.end(), text);
    return it == texts.end() ? -1 : static_cast<int>(it - texts.begin());
}

} // namespace

CAddressPropertyDlg::CAddressPropertyDlg(CVX50TextDoc& document, QWidget* parent, AddressRules rules)
    : CPropertyDlg(document, parent)
    , m_rules(std::move(rules))
    , m_type(new QComboBox(this))
    , m_group(new QComboBox(this))
    , m_name(new CElementNameCombo(this))
{
    for (QComboBox* combo : {m_type, m_group, static_cast<QComboBox*>(m_name)})
        combo->setMinimumContentsLength(10);
    connect(m_type, &QComboBox::activated, this, &CAddressPropertyDlg::OnTypeSelChange);
    connect(m_group, &QComboBox::activated, this, &CAddressPropertyDlg::OnGroupSelChange);
    connect(m_name, &QComboBox::activated, this, &CAddressPropertyDlg::OnNameSelChange);
    connect(m_name, &QComboBox::highlighted, this, [this](int index) {
        if (m_name->IsListOpen())
            m_rememberedName = GbkText(m_name, index);
    });
    connect(m_name->lineEdit(), &QLineEdit::textEdited, this, &CAddressPropertyDlg::OnNameEditChange);
    connect(m_name->lineEdit(), &QLineEdit::editingFinished, this, &CAddressPropertyDlg::OnNameEditFinished);
    connect(m_name, &CElementNameCombo::DropDown, this, &CAddressPropertyDlg::OnNameDropDown);
    connect(m_name, &CElementNameCombo::CloseUp, this, &CAddressPropertyDlg::OnNameCloseUp);
}

void CAddressPropertyDlg::FillGroups(const std::vector<std::string>& groups)
{
    FillCombo(m_group, groups);
    m_group->setCurrentIndex(groups.empty() ? -1 : 0);
}

void CAddressPropertyDlg::ShowNameAlone(const std::string& name)
{
    m_name->clear();
    if (!name.empty())
        m_name->addItem(QStringFromGbk(name));
    m_name->setEditText(QStringFromGbk(name));
}

int CAddressPropertyDlg::ListWidth(int width) const
{
    return m_rules.types.size() == 1 ? m_rules.types.front() : width;
}

std::vector<std::string> CAddressPropertyDlg::ElementNamesOfGroup(const BoundAddress& address) const
{
    return GroupElementNames(Document().AddressTable, ListWidth(*address.wordSize), *address.groupName);
}

void CAddressPropertyDlg::ResetAddressCombos(int width)
{
    ShowChoices(ResetAddressChoices(Document().AddressTable, m_rules, ListWidth(width)));
}

void CAddressPropertyDlg::ShowChoices(const AddressChoices& choices)
{
    m_type->clear();
    for (int type : choices.types)
        m_type->addItem(QStringFromGbk(ElementTypeText(type)));
    m_type->setCurrentIndex(choices.types.empty() ? -1 : 0);
    FillGroups(choices.groups);
    FillCombo(m_name, choices.names);
    m_name->setCurrentIndex(choices.names.empty() ? -1 : 0);
}

void CAddressPropertyDlg::LoadAddressControls()
{
    const BoundAddress address = Address();
    if (!address)
        return;
    const int width = ListWidth(*address.wordSize);
    const AddressSelection selection = SelectElementAddress(Document().AddressTable, m_rules, width,
        *address.typeText, {*address.groupName, *address.elementName});
    ShowChoices(selection.choices);
    m_type->setCurrentIndex(selection.typeIndex);
    m_group->setCurrentIndex(selection.groupIndex);
    *address.groupName = selection.names.group;
    *address.elementName = selection.names.element;
    ShowNameAlone(selection.names.element);
    m_pendingName = false;
    m_nameUnsaved = false;
}

void CAddressPropertyDlg::LoadNewElement()
{
    if (const BoundAddress address = Address()) {
        ResetAddressCombos(*address.wordSize);
        *address.typeText = GbkFromQString(m_type->currentText());
        *address.groupName = GbkFromQString(m_group->currentText());
        *address.elementName = GbkFromQString(m_name->currentText());
    }
    LoadFromElement();
}

void CAddressPropertyDlg::OnTypeSelChange(int index)
{
    const BoundAddress address = Address();
    if (!address)
        return;
    const int previousWidth = *address.wordSize;
    const std::vector<int> types = OfferedTypes(m_rules, previousWidth);
    if (index < 0 || index >= static_cast<int>(types.size()))
        return;
    const int width = types[static_cast<std::size_t>(index)];
    const std::string text = ElementTypeText(width);
    const bool changed = text != *address.typeText;
    if (changed) {
        *address.typeText = text;
        *address.wordSize = width;
        const TypeChoice choice = ChooseElementType(Document().AddressTable, width);
        FillGroups(choice.groups);
        *address.groupName = choice.names.group;
        *address.elementName = choice.names.element;
        ShowNameAlone(choice.names.element);
        Commit(MarkModified);
    }
    Commit(TypeChosen(changed, previousWidth));
}

void CAddressPropertyDlg::OnGroupSelChange(int index)
{
    const BoundAddress address = Address();
    if (!address || index < 0)
        return;
    const std::string group = GbkText(m_group, index);
    if (m_rules.warnQm4Groups && IsQm4OnlyGroup(Document().ProtocolLibraryName, group))
        CurrentUi().ShowMessage(IdsOnlyForQm4fbd);
    const bool changed = group != *address.groupName;
    if (changed) {
        const AddressNames names = ChooseElementGroup(Document().AddressTable, m_rules, ListWidth(*address.wordSize),
            {*address.groupName, *address.elementName}, group);
        *address.elementName = names.element;
        ShowNameAlone(names.element);
        if (m_rules.resetAddressText)
            *address.addressText = "0";
        Commit(MarkModified);
    }
    *address.groupName = group;
    Commit(GroupChosen(changed));
}

bool CAddressPropertyDlg::BindName(const BoundAddress& address, const std::string& name)
{
    const int width = ListWidth(*address.wordSize);
    if (!MayBindElementName(Document().AddressTable, width, *address.groupName, name, NeedsNextWord()))
        return false;
    if (*address.elementName != name) {
        *address.elementName = name;
        m_nameUnsaved = true;
    }
    return true;
}

void CAddressPropertyDlg::CommitName()
{
    if (!std::exchange(m_nameUnsaved, false))
        return;
    Commit(MarkModified);
    NameBound();
    Commit(RefreshRow);
}

void CAddressPropertyDlg::OnNameDropDown()
{
    const BoundAddress address = Address();
    if (!address)
        return;
    const std::vector<std::string> names = ElementNamesOfGroup(address);
    FillCombo(m_name, names);
    const int current = IndexOf(names, *address.elementName);
    m_name->setCurrentIndex(current);
    if (current < 0)
        m_name->setEditText(QStringFromGbk(*address.elementName));
}

void CAddressPropertyDlg::OnNameSelChange(int index)
{
    const BoundAddress address = Address();
    if (!address || index < 0)
        return;
    if (!BindName(address, GbkText(m_name, index))) {
        // Refused: the combo shows the element's name again.
        const int current = m_name->findText(QStringFromGbk(*address.elementName));
        m_name->setCurrentIndex(current);
        if (current < 0)
            m_name->setEditText(QStringFromGbk(*address.elementName));
        return;
    }
    CommitName();
}

void CAddressPropertyDlg::OnNameEditChange(const QString& text)
{
    const BoundAddress address = Address();
    if (!address)
        return;
    m_rememberedName = GbkFromQString(text);
    const std::vector<std::string> names = ElementNamesOfGroup(address);
    const int match = IndexOf(names, m_rememberedName);
    if (match < 0)
        return;
    const int caret = m_name->lineEdit()->cursorPosition();
    BindName(address, m_rememberedName);
    m_pendingName = true;
    if (!m_name->IsListOpen())
        m_name->showPopup();
    m_name->setCurrentIndex(match);
    m_name->view()->setCurrentIndex(m_name->model()->index(match, 0));
    m_name->lineEdit()->setCursorPosition(caret);
}

void CAddressPropertyDlg::OnNameCloseUp()
{
    const BoundAddress address = Address();
    const int highlighted = m_name->view()->currentIndex().row();
    const bool pending = std::exchange(m_pendingName, false);
    if (!address || highlighted < 0)
        return;
    // A typed name is bound when the list closes on it; otherwise the edit
    // part shows the element's name again.
    if (pending && (m_rememberedName != GbkText(m_name, highlighted) || !BindName(address, m_rememberedName)))
        m_name->setEditText(QStringFromGbk(*address.elementName));
    CommitName();
}

void CAddressPropertyDlg::OnNameEditFinished()
{
    const BoundAddress address = Address();
    if (address && GbkFromQString(m_name->currentText()) != *address.elementName)
        m_name->setEditText(QStringFromGbk(*address.elementName));
}
