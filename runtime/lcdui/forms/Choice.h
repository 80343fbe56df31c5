// The interface of a set of elements, each a string with an optional image, of which some are
// selected: what ChoiceGroup implements and List forwards.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class Font;
class Image;

class Choice : public virtual java::lang::Smart {
    JAVA_CLASS(Choice, "javax.microedition.lcdui.Choice", java::lang::Smart)
public:
    static constexpr int32_t EXCLUSIVE = 1;
    static constexpr int32_t MULTIPLE = 2;
    static constexpr int32_t IMPLICIT = 3;
    static constexpr int32_t POPUP = 4;
    static constexpr int32_t TEXT_WRAP_DEFAULT = 0;

    virtual int32_t append(const JavaPtr<java::lang::String>& string, const JavaPtr<Image>& image) = 0;
    virtual void deleteJ(int32_t index) = 0;
    virtual void deleteAll() = 0;
    virtual int32_t getFitPolicy() = 0;
    virtual JavaPtr<Font> getFont(int32_t index) = 0;
    virtual JavaPtr<Image> getImage(int32_t index) = 0;
    virtual int32_t getSelectedFlags(const JavaPtr<JArray<bool>>& flags) = 0;
    virtual int32_t getSelectedIndex() = 0;
    virtual JavaPtr<java::lang::String> getString(int32_t index) = 0;
    virtual void insert(int32_t index, const JavaPtr<java::lang::String>& string, const JavaPtr<Image>& image) = 0;
    virtual bool isSelected(int32_t index) = 0;
    virtual void set(int32_t index, const JavaPtr<java::lang::String>& string, const JavaPtr<Image>& image) = 0;
    virtual void setFitPolicy(int32_t policy) = 0;
    virtual void setFont(int32_t index, const JavaPtr<Font>& font) = 0;
    virtual void setSelectedFlags(const JavaPtr<JArray<bool>>& flags) = 0;
    virtual void setSelectedIndex(int32_t index, bool selected) = 0;
    virtual int32_t size() = 0;
};

}  // namespace javax::microedition::lcdui
