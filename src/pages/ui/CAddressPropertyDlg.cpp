#include "pages/ui/CAddressPropertyDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/ElementTypeText.h"
#include "model/CVX50TextDoc.h"
#include "widgets/CElementNameCombo.h"

#include <QComboBox>

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
    m_name->SetBinding({
        [this] { return static_cast<bool>(Address()); },
        [this] { return ElementNamesOfGroup(Address()); },
        [this] { return *Address().elementName; },
        [this](const std::string& name) { return BindName(Address(), name); },
    });
    connect(m_name, &CElementNameCombo::NameChosen, this, &CAddressPropertyDlg::CommitName);
}

void CAddressPropertyDlg::FillGroups(const std::vector<std::string>& groups)
{
    FillCombo(m_group, groups);
    m_group->setCurrentIndex(groups.empty() ? -1 : 0);
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
    m_name->ShowNameAlone(selection.names.element);
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
    const PackedText& text = SharedElementTypeText(width);
    const bool changed = text != *address.typeText;
    if (changed) {
        *address.typeText = text;
        *address.wordSize = width;
        const TypeChoice choice = ChooseElementType(Document().AddressTable, width);
        FillGroups(choice.groups);
        *address.groupName = choice.names.group;
        *address.elementName = choice.names.element;
        m_name->ShowNameAlone(choice.names.element);
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
        m_name->ShowNameAlone(names.element);
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
