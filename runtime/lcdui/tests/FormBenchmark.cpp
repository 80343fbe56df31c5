// Laying out a form of 200 items (100 of them text that flows over several rows) against painting
// the same form once, on the software screen with the synthetic font; the same layout of 1,000 and
// 2,000 items of the same mix against that of 200, which should grow linearly; and a multi-tap key press in
// a field of 500 characters up to its repainted frame, against that repaint alone. The ratios are
// the claims; the absolute times show whether each stays within a frame.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/ImageItem.h"
#include "runtime/lcdui/forms/StringItem.h"
#include "runtime/lcdui/forms/TextField.h"
#include "runtime/lcdui/tests/FontFileBuilder.h"
#include "runtime/text/String.h"

using namespace javax::microedition::lcdui;
using java::lang::jnew;

namespace {

struct BigForm {
    explicit BigForm(int items) {
        Display::screenWidth = 320;
        Display::screenHeight = 480;
        lcduitest::installFont(lcduitest::sampleFont(false).bytes());
        DisplayableCoreCanvas::init();
        form = jnew<Form>();
        form->WENDinvokeconstructor(jnew<java::lang::String>("Many items"));
        auto picture = Image::createImage(40, 20);
        for (int i = 0; i < items / 2; ++i) {
            auto text = jnew<StringItem>();
            text->WENDinvokeconstructor(nullptr, jnew<java::lang::String>(
                                                     "A text long enough to flow from the end of one row over the "
                                                     "next one and on into a third where the item after it sits"));
            form->append(JavaPtr<Item>(text));
            auto image = jnew<ImageItem>();
            image->WENDinvokeconstructor(nullptr, picture, Item::LAYOUT_DEFAULT, nullptr);
            form->append(JavaPtr<Item>(image));
        }
        canvas = form->formCanvas();
        canvas->showNotify();
        pixels.assign(320 * 480, 0);
        graphics = jnew<Graphics>();
        graphics->setTarget(pixels.data(), 320, 480, 320);
    }
    JavaPtr<Form> form;
    JavaPtr<FormCanvas> canvas;
    JavaPtr<Graphics> graphics;
    std::vector<uint32_t> pixels;
};

BigForm& bigForm(int items = 200) {
    static std::map<int, std::unique_ptr<BigForm>> made;
    auto& form = made[items];
    if (!form) form = std::make_unique<BigForm>(items);
    return *form;
}

void BM_RelayoutFormOf200Items(benchmark::State& state) {
    BigForm& f = bigForm();
    std::lock_guard lock(Canvas::paintLock());
    for (auto _ : state) f.canvas->relayoutFormItems();
    state.counters["content_height"] = f.canvas->layoutHeight();
}
BENCHMARK(BM_RelayoutFormOf200Items)->Unit(benchmark::kMillisecond);

// Against the 200 items above: a linear layout takes 5 and 10 times as long.
void BM_RelayoutFormOfManyItems(benchmark::State& state) {
    BigForm& f = bigForm(static_cast<int>(state.range(0)));
    std::lock_guard lock(Canvas::paintLock());
    for (auto _ : state) f.canvas->relayoutFormItems();
    state.counters["content_height"] = f.canvas->layoutHeight();
}
BENCHMARK(BM_RelayoutFormOfManyItems)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

// The peer: one paint of the same form, chrome included.
void BM_PaintFormOf200ItemsOnce(benchmark::State& state) {
    BigForm& f = bigForm();
    std::lock_guard lock(Canvas::paintLock());
    f.canvas->relayoutFormItems();
    for (auto _ : state) f.canvas->paint(f.graphics);
}
BENCHMARK(BM_PaintFormOf200ItemsOnce)->Unit(benchmark::kMillisecond);

struct LongField {
    LongField() {
        BigForm& big = bigForm();
        field = jnew<TextField>();
        std::string text;
        for (int i = 0; i < 100; ++i) text += "word ";
        field->WENDinvokeconstructor(jnew<java::lang::String>("Text"), jnew<java::lang::String>(text.c_str()), 1000000,
                                     TextField::ANY);
        form = jnew<Form>();
        form->WENDinvokeconstructor(jnew<java::lang::String>("A long field"));
        form->append(JavaPtr<Item>(field));
        canvas = form->formCanvas();
        canvas->showNotify();
        canvas->relayoutFormItems();
        graphics = big.graphics;
    }
    JavaPtr<Form> form;
    JavaPtr<TextField> field;
    JavaPtr<FormCanvas> canvas;
    JavaPtr<Graphics> graphics;
};

LongField& longField() {
    static LongField made;
    return made;
}

// A press of 2 through the canvas's entry (each one a new character, far apart on the clock),
// the relayout the new row count may ask for, and the paint of the frame that shows it.
void BM_MultiTapPressToFrameIn500Characters(benchmark::State& state) {
    LongField& f = longField();
    std::lock_guard lock(Canvas::paintLock());
    for (auto _ : state) {
        f.canvas->keyPressed(DisplayableCoreCanvas::KEY_NUM0 + 2);
        f.canvas->keyReleased(DisplayableCoreCanvas::KEY_NUM0 + 2);
        f.canvas->keyPressed(DisplayableCoreCanvas::KEY_DELETE);
        f.canvas->keyReleased(DisplayableCoreCanvas::KEY_DELETE);
        if (f.form->needsRelayout()) f.form->relayout();
        f.canvas->paint(f.graphics);
    }
}
BENCHMARK(BM_MultiTapPressToFrameIn500Characters)->Unit(benchmark::kMillisecond);

// The peer: the repaint of the same form alone.
void BM_PaintFieldOf500CharactersOnce(benchmark::State& state) {
    LongField& f = longField();
    std::lock_guard lock(Canvas::paintLock());
    for (auto _ : state) f.canvas->paint(f.graphics);
}
BENCHMARK(BM_PaintFieldOf500CharactersOnce)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
