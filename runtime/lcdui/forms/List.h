// The full-screen choice: a hidden form holding one choice group, whose canvas the list shows; the
// list forwards its elements to the group and its title, ticker and commands to the form. An
// implicit list fires its select command when a row is picked.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Choice.h"
#include "runtime/lcdui/forms/Screen.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class ChoiceGroup;
class Command;
class Form;

class List : public Screen, public Choice {
    JAVA_CLASS(List, "javax.microedition.lcdui.List", Screen, Choice)
public:
    static inline JavaPtr<Command> SELECT_COMMAND;
    static void List_staticInit();
    static void List_staticDestroy();

    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& title, int32_t listType);
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& title, int32_t listType,
                               const JavaPtr<JArray<java::lang::String>>& strings, const JavaPtr<JArray<Image>>& images);

    void addCommand(const JavaPtr<Command>& command) override;
    void removeCommand(const JavaPtr<Command>& command) override;
    void setCommandListener(const JavaPtr<CommandListener>& listener) override;
    void setTicker(const JavaPtr<Ticker>& ticker) override;
    void setTitle(const JavaPtr<java::lang::String>& title) override;
    JavaPtr<java::lang::String> getTitle() override;
    JavaPtr<Ticker> getTicker() override;
    void relayout() override;
    void setNeedsRelayout(bool needed) override;
    bool needsRelayout() override;
    virtual void setSelectCommand(const JavaPtr<Command>& command);

    int32_t append(const JavaPtr<java::lang::String>& string, const JavaPtr<Image>& image) override;
    void deleteJ(int32_t index) override;
    void deleteAll() override;
    int32_t getFitPolicy() override;
    JavaPtr<Font> getFont(int32_t index) override;
    JavaPtr<Image> getImage(int32_t index) override;
    int32_t getSelectedFlags(const JavaPtr<JArray<bool>>& flags) override;
    int32_t getSelectedIndex() override;
    JavaPtr<java::lang::String> getString(int32_t index) override;
    void insert(int32_t index, const JavaPtr<java::lang::String>& string, const JavaPtr<Image>& image) override;
    bool isSelected(int32_t index) override;
    void set(int32_t index, const JavaPtr<java::lang::String>& string, const JavaPtr<Image>& image) override;
    void setFitPolicy(int32_t policy) override;
    void setFont(int32_t index, const JavaPtr<Font>& font) override;
    void setSelectedFlags(const JavaPtr<JArray<bool>>& flags) override;
    void setSelectedIndex(int32_t index, bool selected) override;
    int32_t size() override;

    JavaPtr<ChoiceGroup> getChoiceGroup() { return m_listChoiceGroup; }
    JavaPtr<Form> getForm() { return m_listForm; }

private:
    JavaPtr<Form> m_listForm;
    JavaPtr<ChoiceGroup> m_listChoiceGroup;
    JavaPtr<Command> m_selectCommand;
};

}  // namespace javax::microedition::lcdui
