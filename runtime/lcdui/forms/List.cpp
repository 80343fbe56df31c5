#include "runtime/lcdui/forms/List.h"

#include "runtime/lcdui/LCDUIStrings.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/forms/ChoiceGroup.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;

void List::List_staticInit() {
    SELECT_COMMAND = java::lang::jnew<Command>();
    SELECT_COMMAND->WENDinvokeconstructor(LCDUI_stringsGet(LCDUI_STRINGS_SOFTKEY_SELECT), Command::ITEM, 1);
}

void List::List_staticDestroy() { SELECT_COMMAND = nullptr; }

void List::WENDinvokeconstructor(const JavaPtr<String>& title, int32_t listType) {
    WENDinvokeconstructor(title, listType, JavaPtr<JArray<String>>(new JArray<String>(0)), nullptr);
}

void List::WENDinvokeconstructor(const JavaPtr<String>& title, int32_t listType,
                                 const JavaPtr<JArray<String>>& strings, const JavaPtr<JArray<Image>>& images) {
    Screen::WENDinvokeconstructor();
    m_listForm = java::lang::jnew<Form>();
    m_listForm->WENDinvokeconstructor(title);
    setCorrespondingCanvas(m_listForm->getCorrespondingCanvas().get());
    m_listChoiceGroup = java::lang::jnew<ChoiceGroup>();
    m_listChoiceGroup->WENDinvokeconstructor(nullptr, listType, strings, images, true);
    m_listForm->append(JavaPtr<Item>(m_listChoiceGroup));
    setSelectCommand(SELECT_COMMAND);
}

void List::addCommand(const JavaPtr<Command>& command) { m_listForm->addCommand(command); }

void List::removeCommand(const JavaPtr<Command>& command) {
    if (command && command == m_selectCommand) setSelectCommand(nullptr);
    m_listForm->removeCommand(command);
}

void List::setSelectCommand(const JavaPtr<Command>& command) {
    m_listChoiceGroup->setSelectCommand(command);
    if (command) {
        addCommand(command);
    } else if (JavaPtr<Command> old = std::exchange(m_selectCommand, nullptr)) {
        removeCommand(old);
    }
    m_selectCommand = command;
}

void List::setCommandListener(const JavaPtr<CommandListener>& listener) { m_listForm->setCommandListener(listener); }
void List::setTicker(const JavaPtr<Ticker>& ticker) { m_listForm->setTicker(ticker); }
void List::setTitle(const JavaPtr<String>& title) { m_listForm->setTitle(title); }
JavaPtr<String> List::getTitle() { return m_listForm->getTitle(); }
JavaPtr<Ticker> List::getTicker() { return m_listForm->getTicker(); }
void List::relayout() { m_listForm->relayout(); }
void List::setNeedsRelayout(bool needed) { m_listForm->setNeedsRelayout(needed); }
bool List::needsRelayout() { return m_listForm->needsRelayout(); }

int32_t List::append(const JavaPtr<String>& string, const JavaPtr<Image>& image) {
    return m_listChoiceGroup->append(string, image);
}
void List::deleteJ(int32_t index) { m_listChoiceGroup->deleteJ(index); }
void List::deleteAll() { m_listChoiceGroup->deleteAll(); }
int32_t List::getFitPolicy() { return m_listChoiceGroup->getFitPolicy(); }
JavaPtr<Font> List::getFont(int32_t index) { return m_listChoiceGroup->getFont(index); }
JavaPtr<Image> List::getImage(int32_t index) { return m_listChoiceGroup->getImage(index); }
int32_t List::getSelectedFlags(const JavaPtr<JArray<bool>>& flags) { return m_listChoiceGroup->getSelectedFlags(flags); }
int32_t List::getSelectedIndex() { return m_listChoiceGroup->getSelectedIndex(); }
JavaPtr<String> List::getString(int32_t index) { return m_listChoiceGroup->getString(index); }
void List::insert(int32_t index, const JavaPtr<String>& string, const JavaPtr<Image>& image) {
    m_listChoiceGroup->insert(index, string, image);
}
bool List::isSelected(int32_t index) { return m_listChoiceGroup->isSelected(index); }
void List::set(int32_t index, const JavaPtr<String>& string, const JavaPtr<Image>& image) {
    m_listChoiceGroup->set(index, string, image);
}
void List::setFitPolicy(int32_t policy) { m_listChoiceGroup->setFitPolicy(policy); }
void List::setFont(int32_t index, const JavaPtr<Font>& font) { m_listChoiceGroup->setFont(index, font); }
void List::setSelectedFlags(const JavaPtr<JArray<bool>>& flags) { m_listChoiceGroup->setSelectedFlags(flags); }
void List::setSelectedIndex(int32_t index, bool selected) { m_listChoiceGroup->setSelectedIndex(index, selected); }
int32_t List::size() { return m_listChoiceGroup->size(); }

}  // namespace javax::microedition::lcdui
