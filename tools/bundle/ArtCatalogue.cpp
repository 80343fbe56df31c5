#include "tools/bundle/ArtCatalogue.h"

#include <cairo.h>

#include <cmath>

#include "tools/bundle/ArtWidgets.h"

namespace bundle {

namespace {

using S = ArtStyle;
using namespace widgets;
using Draw = std::function<void(ArtCanvas&)>;

constexpr double W = 320, H = 480;

// Where the menu and confirmation buttons stand (the quiz centres them on x 160 and steps them 70 down).
constexpr double kMenuButtonX = 49, kButtonW = 220, kButtonH = 61;

void mainMenuScreen(ArtCanvas& c) {
    screenBackground(c, 0, 0, W, H);
    statusStrip(c, W);
    titleBand(c, 17, W, 63, "Lexivo Quiz");
    for (int i = 0; i < 4; ++i) buttonFace(c, kMenuButtonX, 97 + i * 70, kButtonW, kButtonH, Look::Normal);
    c.verticalGradient(0, 395, W, 85, S::statusStrip.withAlpha(0.0), S::statusStrip.withAlpha(0.8));
    c.text("A vocabulary quiz", W - 12, 470, S::smallSize, S::lightInk.withAlpha(0.7), ArtCanvas::Align::Right,
           ArtCanvas::Face::Regular);
}

void aboutCorner(ArtCanvas& c, Look look) {
    c.circle(40, 42, 26);
    c.fillPathGradient(16, 68, look == Look::Pressed ? S::pressedTop : S::buttonTop,
                       look == Look::Pressed ? S::pressedBottom : S::buttonBottom);
    c.circle(40, 42, 25);
    c.strokePath(S::buttonEdge, S::stroke);
    c.text("i", 40, 53, 30, S::ink, ArtCanvas::Align::Centre, ArtCanvas::Face::Bold);
    c.text("About", 40, 80, S::smallSize, S::lightInk, ArtCanvas::Align::Centre);
}

void chooserScreen(ArtCanvas& c) {
    screenBackground(c, 0, 0, W, H);
    statusStrip(c, W);
    // Faint rails where the list rows run.
    for (double y = 80; y < 395; y += 61) {
        cairo_rectangle(c.cr(), 0, y, W, 1);
        c.fillPath(Colour::rgb(0xFFFFFF, 0.05));
    }
}

// About and statistics: a wide left area with its title and a right column holding the menu button.
void sideColumnScreen(ArtCanvas& c, const std::string& title, bool aboutText) {
    screenBackground(c, 0, 0, W, H);
    statusStrip(c, W);
    titleBand(c, 17, 240, 63, title);
    c.verticalGradient(240, 0, 80, H, Colour::rgb(0x173761), Colour::rgb(0x10223F));
    cairo_rectangle(c.cr(), 240, 0, 2, H);
    c.fillPath(S::accent);
    medalStar(c, 280, 40, 22, Medal::Gold);
    medalStar(c, 280, 160, 16, Medal::Silver);
    medalStar(c, 280, 250, 12, Medal::Bronze);
    barButton(c, 251, 403, 59, 61, BarIcon::Menu, Look::Normal);
    if (!aboutText) return;
    panel(c, 10, 92, 220, 356);
    // The version line the screen draws at its bottom-left, in dark ink, stands on a tab of its own.
    c.plate(5, 456, 47, 40, S::smallCornerRadius, S::panelTop, S::panelBottom, S::panelEdge);
    const std::vector<std::string> lines = {
        "Lexivo Quiz", "", "How many words do you know?", "Pick the right one of three", "answers to each question.",
        "Climb 30 levels in the test,", "or practise any subject.", "", "Words and meanings:", "WordNet 3.0,",
        "Princeton University.", "Fonts: DejaVu.", "", "Tap Menu to go back."};
    double y = 118;
    for (size_t i = 0; i < lines.size(); ++i, y += 23) {
        c.text(lines[i], 120, y, i == 0 ? S::headingSize : S::bodySize, S::ink, ArtCanvas::Align::Centre,
               i == 0 ? ArtCanvas::Face::Bold : ArtCanvas::Face::Regular);
    }
}

void confirmScreen(ArtCanvas& c) {
    screenBackground(c, 0, 0, W, H);
    statusStrip(c, W);
    titleBand(c, 17, W, 62, "New Test");
    panel(c, 43, 95, 234, 290);
    for (int i = 0; i < 2; ++i) buttonFace(c, kMenuButtonX, 237 + i * 70, kButtonW, kButtonH, Look::Normal);
    c.verticalGradient(0, 396, W, 84, S::statusStrip.withAlpha(0.0), S::statusStrip.withAlpha(0.8));
}

void gameScreen(ArtCanvas& c) {
    screenBackground(c, 0, 0, W, H);
    // Header corner and question box.
    c.plate(4, 4, 72, 98, S::cornerRadius, Colour::rgb(0x24528A), Colour::rgb(0x173761), S::accent);
    panel(c, 83, 4, 233, 100);
    // The clock face the timer dots sit on (the dots are 8 units, placed around (38, 142)).
    c.circle(38, 142, 31);
    c.fillPathGradient(111, 173, S::panelTop, S::panelBottom);
    c.circle(38, 142, 30);
    c.strokePath(S::panelEdge, S::stroke);
    for (int k = 0; k < 12; ++k) {
        const double a = k * M_PI / 6;
        c.circle(38 + std::sin(a) * 24, 142 - std::cos(a) * 24, 1.6);
        c.fillPath(S::panelEdge.withAlpha(0.6));
    }
    c.circle(38, 142, 3);
    c.fillPath(S::ink);
    cairo_move_to(c.cr(), 38, 142);
    cairo_line_to(c.cr(), 38, 124);
    c.strokePath(S::ink, S::stroke);
    // Button bar.
    c.verticalGradient(0, 395, W, 85, Colour::rgb(0x173761), Colour::rgb(0x0A1528));
    cairo_rectangle(c.cr(), 0, 395, W, 2);
    c.fillPath(S::accent);
    static const BarIcon icons[] = {BarIcon::Hint, BarIcon::Skip, BarIcon::Info, BarIcon::Menu};
    for (int b = 0; b < 4; ++b) barButton(c, 11 + 80 * b, 405, 59, 61, icons[b], Look::Normal);
}

void headerIcon(ArtCanvas& c, bool level) {
    c.plate(6, 14, 68, 80, S::cornerRadius, S::panelTop, S::panelBottom, S::accent);
    if (level) c.text("LEVEL", 40, 36, S::smallSize, S::panelEdge, ArtCanvas::Align::Centre);
}

void infoPanel(ArtCanvas& c) {
    panel(c, 1, 1, 226, 286);
    c.text("Information", 114, 24, S::labelSize, S::panelEdge, ArtCanvas::Align::Centre);
    cairo_rectangle(c.cr(), 20, 31, 188, 1);
    c.fillPath(S::panelEdge.withAlpha(0.5));
}

void webStrip(ArtCanvas& c) {
    c.verticalGradient(0, 0, W, 84, Colour::rgb(0x173761), Colour::rgb(0x0A1528));
    cairo_rectangle(c.cr(), 0, 0, W, 2);
    c.fillPath(S::accent);
    c.text("Tap Back to return to the question", 12, 46, S::smallSize, S::lightInk, ArtCanvas::Align::Left,
           ArtCanvas::Face::Regular);
    barButton(c, 251, 7, 59, 61, BarIcon::Back, Look::Normal);
}

void practiceFooter(ArtCanvas& c) {
    c.verticalGradient(0, 0, W, 85, Colour::rgb(0x173761), Colour::rgb(0x0A1528));
    cairo_rectangle(c.cr(), 0, 0, W, 2);
    c.fillPath(S::accent);
    c.text("Choose a subject to practise", 12, 46, S::smallSize, S::lightInk, ArtCanvas::Align::Left,
           ArtCanvas::Face::Regular);
    barButton(c, 251, 8, 59, 61, BarIcon::Menu, Look::Normal);
}

// Promotion, demotion and the two end screens share one frame: a panel (by default on the left,
// centred on x 120 where the badges go) and the continue or menu button at (241, 395).
struct Frame {
    double x = 12, y = 92, w = 216, h = 384;
};

void resultScreen(ArtCanvas& c, const std::string& title, const std::vector<std::string>& message, double messageY,
                  BarIcon button, Frame frame = {}) {
    screenBackground(c, 0, 0, W, H);
    statusStrip(c, W);
    titleBand(c, 17, W, 63, title);
    panel(c, frame.x, frame.y, frame.w, frame.h);
    c.centredLines(message, frame.x + frame.w / 2, messageY, S::labelSize, S::ink, ArtCanvas::Face::Regular);
    barButton(c, 241, 395, 79, 85, button, Look::Normal);
}

void splashScreen(ArtCanvas& c) {
    screenBackground(c, 0, 0, W, H);
    for (int k = 0; k < 3; ++k) medalStar(c, 110 + k * 50, 150 - (k == 1 ? 12 : 0), k == 1 ? 26 : 20,
                                          k == 0 ? Medal::Bronze : k == 1 ? Medal::Gold : Medal::Silver);
    c.text("Lexivo", 161, 231, 44, S::shadow, ArtCanvas::Align::Centre);
    c.text("Lexivo", 160, 229, 44, S::lightInk, ArtCanvas::Align::Centre);
    c.text("QUIZ", 160, 266, 26, S::accent, ArtCanvas::Align::Centre);
    c.text("How many words do you know?", 160, 300, S::labelSize, S::lightInk.withAlpha(0.8),
           ArtCanvas::Align::Centre, ArtCanvas::Face::Regular);
}

void logo(ArtCanvas& c) {
    c.text("Lexivo", 121, 39, 36, S::shadow, ArtCanvas::Align::Centre);
    c.text("Lexivo", 120, 37, 36, S::lightInk, ArtCanvas::Align::Centre);
    c.text("QUIZ", 120, 53, 13, S::accent, ArtCanvas::Align::Centre);
}

// A piece cut from a whole screen at (x, y).
ArtPiece cut(Draw screen, int x, int y, int w, int h) {
    return {w, h, [screen, x, y](ArtCanvas& c) {
                cairo_translate(c.cr(), -x, -y);
                screen(c);
            }};
}

std::map<std::string, ArtPiece> build() {
    std::map<std::string, ArtPiece> art;
    static const char* const colourNames[] = {"white", "green", "red", "yellow", "blue"};
    static const Colour colours[] = {Colour::rgb(0xFFFFFF), Colour::rgb(0x6BF26B), Colour::rgb(0xFF5C5C),
                                     Colour::rgb(0xFFE14D), Colour::rgb(0x5CC8FF)};
    for (int k = 0; k < 5; ++k)
        for (int f = 0; f < 4; ++f)
            art["twinkle" + std::to_string(f) + "_" + colourNames[k]] = {
                16, 16, [f, k](ArtCanvas& c) { twinkle(c, 16, f, colours[k]); }};

    const Draw menu = mainMenuScreen;
    art["menu_bg_0"] = cut(menu, 0, 0, 320, 17);
    art["menu_bg_1"] = cut(menu, 0, 17, 320, 63);
    art["menu_bg_2"] = cut(menu, 0, 80, 320, 315);
    art["menu_bg_3"] = cut(menu, 0, 395, 320, 85);
    art["icon_about"] = {80, 85, [](ArtCanvas& c) { aboutCorner(c, Look::Normal); }};
    art["icon_click_about"] = {80, 85, [](ArtCanvas& c) { aboutCorner(c, Look::Pressed); }};
    art["menu_logo"] = {240, 64, logo};
    art["about_logo"] = {240, 64, logo};

    const Draw chooser = chooserScreen;
    art["chooser_bg_2"] = cut(chooser, 0, 80, 320, 315);
    art["practice_menu_header"] = {320, 63, [](ArtCanvas& c) { titleBand(c, 0, W, 63, "Practice"); }};
    art["practice_menu_footer"] = {320, 85, practiceFooter};
    art["practice_menu_back_off"] = {79, 85, [](ArtCanvas& c) {
                                         c.verticalGradient(0, 0, 79, 85, Colour::rgb(0x173761), Colour::rgb(0x0A1528));
                                         cairo_rectangle(c.cr(), 0, 0, 79, 2);
                                         c.fillPath(S::accent);
                                         barButton(c, 10, 8, 59, 61, BarIcon::Back, Look::Normal);
                                     }};
    art["practice_menu_back_on"] = {79, 85, [](ArtCanvas& c) {
                                        c.verticalGradient(0, 0, 79, 85, Colour::rgb(0x173761), Colour::rgb(0x0A1528));
                                        cairo_rectangle(c.cr(), 0, 0, 79, 2);
                                        c.fillPath(S::accent);
                                        barButton(c, 10, 8, 59, 61, BarIcon::Back, Look::Pressed);
                                    }};
    art["wide_button_normal"] = {300, 56, [](ArtCanvas& c) { buttonFace(c, 0, 0, 300, 56, Look::Normal); }};
    art["wide_button_click"] = {300, 56, [](ArtCanvas& c) { buttonFace(c, 0, 0, 300, 56, Look::Pressed); }};
    for (int k = 0; k <= 3; ++k)
        art["three_boxes_" + std::to_string(k)] = {60, 56, [k](ArtCanvas& c) { progressBoxes(c, 2, 21, 14, k, 3); }};
    // The list draws these near its button's top right corner: padded, the box stands clear of the
    // border, level with the category list's boxes.
    art["one_box_on"] = {16, 32, [](ArtCanvas& c) { progressBoxes(c, 0, 17, 12, 1, 1); }};
    art["one_box_off"] = {16, 32, [](ArtCanvas& c) { progressBoxes(c, 0, 17, 12, 0, 1); }};

    const Draw about = [](ArtCanvas& c) { sideColumnScreen(c, "About", true); };
    const Draw stats = [](ArtCanvas& c) { sideColumnScreen(c, "Statistics", false); };
    for (const auto& [prefix, screen] : {std::pair{std::string("about_bg_"), about}, std::pair{std::string("stats_bg_"), stats}}) {
        art[prefix + "0"] = cut(screen, 0, 0, 240, 17);
        art[prefix + "1"] = cut(screen, 0, 17, 240, 63);
        art[prefix + "2"] = cut(screen, 0, 80, 240, 400);
        art[prefix + "3"] = cut(screen, 240, 0, 80, 80);
        art[prefix + "4"] = cut(screen, 240, 80, 80, 315);
        art[prefix + "5"] = cut(screen, 240, 395, 80, 85);
    }
    art["stats_box_overlay"] = {216, 44, [](ArtCanvas& c) {
                                    c.plate(1, 1, 212, 40, S::smallCornerRadius, S::panelTop, S::panelBottom,
                                            S::panelEdge);
                                }};

    const Draw confirm = confirmScreen;
    art["confirm_bg_0"] = cut(confirm, 0, 0, 320, 79);
    art["confirm_bg_1"] = cut(confirm, 0, 79, 41, 317);
    art["confirm_bg_2"] = cut(confirm, 41, 79, 238, 317);
    art["confirm_bg_3"] = cut(confirm, 279, 79, 41, 317);
    art["confirm_bg_4"] = cut(confirm, 0, 396, 320, 84);

    art["promoted_bg"] = {320, 480, [](ArtCanvas& c) {
                              resultScreen(c, "Promoted!", {"Well done:", "you reached a new level."}, 270,
                                           BarIcon::Next);
                          }};
    art["demoted_bg"] = {320, 480, [](ArtCanvas& c) {
                             resultScreen(c, "Demoted", {"Your level went down.", "Keep going: you can", "win it back."},
                                          200, BarIcon::Next);
                         }};
    art["complete_bg"] = {320, 480, [](ArtCanvas& c) {
                              resultScreen(c, "Test Complete", {"Congratulations!", "You passed all 30 levels."}, 300,
                                           BarIcon::Menu);
                              rankBadge(c, 70, 110, 100, 30);  // all 30 levels passed
                          }};
    art["complete_bg_practice"] = {320, 480, [](ArtCanvas& c) {
                                       // Wide, so that the count the screen centres on x 160 sits on its plate.
                                       resultScreen(c, "Practice Done", {"Right answers", "in this run"}, 290,
                                                    BarIcon::Menu, Frame{12, 92, 296, 292});
                                       c.plate(90, 195, 140, 60, S::cornerRadius, S::buttonTop, S::buttonBottom,
                                               S::buttonEdge);
                                   }};

    const Draw game = gameScreen;
    // The header corner reaches down to the timer column, which starts a row below the question box;
    // its last pixel belongs to the answers' segment, which starts on that row.
    art["game_bg_0"] = {81, 109, [game](ArtCanvas& c) {
                            cut(game, 0, 0, 81, 109).draw(c);
                            cairo_set_operator(c.cr(), CAIRO_OPERATOR_CLEAR);
                            cairo_rectangle(c.cr(), 80, 108, 1, 1);
                            cairo_fill(c.cr());
                            cairo_set_operator(c.cr(), CAIRO_OPERATOR_OVER);
                        }};
    art["game_bg_1"] = cut(game, 81, 0, 239, 108);
    art["game_bg_2"] = cut(game, 0, 109, 80, 286);
    art["game_bg_3"] = cut(game, 80, 108, 240, 287);
    art["game_bg_4"] = cut(game, 0, 395, 320, 85);
    art["game_infobox"] = {230, 290, infoPanel};
    art["web_base_strip"] = {320, 84, webStrip};
    art["web_base_back_icon_click"] = {59, 61, [](ArtCanvas& c) { barButton(c, 0, 0, 59, 61, BarIcon::Back, Look::Pressed); }};
    art["generic_0"] = {81, 108, [](ArtCanvas& c) { headerIcon(c, false); }};
    art["generic_0_level"] = {81, 108, [](ArtCanvas& c) { headerIcon(c, true); }};

    static const std::pair<const char*, Look> answers[] = {
        {"normal", Look::Normal}, {"click", Look::Pressed}, {"correct", Look::Right}, {"wrong", Look::Wrong}};
    for (const auto& answer : answers) {
        const Look look = answer.second;
        art[std::string("answer_button_") + answer.first] = {220, 61, [look](ArtCanvas& c) { buttonFace(c, 0, 0, 220, 61, look); }};
    }
    art["answer_button_ghosted"] = {220, 61, [](ArtCanvas& c) {
                                        c.roundedRect(S::inset, S::inset, 220 - 2 * S::inset, 61 - 2 * S::inset,
                                                      S::cornerRadius);
                                        c.fillPath(S::ghost);
                                        cairo_t* cr = c.cr();
                                        c.roundedRect(S::inset, S::inset, 220 - 2 * S::inset, 61 - 2 * S::inset,
                                                      S::cornerRadius);
                                        cairo_clip(cr);
                                        for (double x = -61; x < 220; x += 14) {
                                            cairo_move_to(cr, x, 61);
                                            cairo_line_to(cr, x + 61, 0);
                                        }
                                        c.strokePath(Colour::rgb(0xFFFFFF, 0.12), 3);
                                        cairo_reset_clip(cr);
                                    }};
    art["ranking_button_normal"] = {79, 85, [](ArtCanvas& c) { barButton(c, 0, 0, 79, 85, BarIcon::Next, Look::Normal); }};
    art["ranking_button_click"] = {79, 85, [](ArtCanvas& c) { barButton(c, 0, 0, 79, 85, BarIcon::Next, Look::Pressed); }};
    art["ranking_button_menu_click"] = {79, 85, [](ArtCanvas& c) { barButton(c, 0, 0, 79, 85, BarIcon::Menu, Look::Pressed); }};
    art["units_button_normal"] = {79, 85, [](ArtCanvas& c) { barButton(c, 0, 0, 79, 85, BarIcon::Units, Look::Normal); }};
    art["units_button_click"] = {79, 85, [](ArtCanvas& c) { barButton(c, 0, 0, 79, 85, BarIcon::Units, Look::Pressed); }};
    art["timer_dot"] = {8, 8, [](ArtCanvas& c) {
                            c.circle(4, 4, 3.5);
                            c.fillPathGradient(0.5, 7.5, S::pressedTop, S::wrongBottom);
                        }};
    static const std::pair<const char*, BarIcon> bar[] = {
        {"button_hint", BarIcon::Hint}, {"button_skip", BarIcon::Skip}, {"button_info", BarIcon::Info},
        {"button_menu", BarIcon::Menu}, {"button_menu_alt", BarIcon::Menu}};
    for (const auto& entry : bar) {
        const BarIcon icon = entry.second;
        art[entry.first] = {59, 61, [icon](ArtCanvas& c) { barButton(c, 0, 0, 59, 61, icon, Look::Pressed); }};
    }
    for (int d = 0; d <= 9; ++d)
        art["icon_number_" + std::to_string(d)] = {24, 24, [d](ArtCanvas& c) { numberBadge(c, 24, d); }};
    art["icon_number_flash"] = {24, 24, [](ArtCanvas& c) { numberBadge(c, 24, -1); }};

    static const std::pair<const char*, Medal> medals[] = {
        {"bronze", Medal::Bronze}, {"silver", Medal::Silver}, {"gold", Medal::Gold}};
    for (const auto& entry : medals) {
        const Medal medal = entry.second;
        const std::string name = entry.first;
        art[std::string("stats_star_") + name] = {26, 26, [medal](ArtCanvas& c) { medalStar(c, 13, 13.5, 12, medal); }};
        art[std::string("big_star_") + name] = {64, 64, [medal](ArtCanvas& c) { medalStar(c, 32, 33, 30, medal); }};
    }
    for (int r = 1; r <= 29; ++r)
        art["ranking_" + std::to_string(r)] = {100, 100, [r](ArtCanvas& c) { rankBadge(c, 0, 0, 100, r); }};

    art["splash"] = {320, 480, splashScreen};
    for (int f = 1; f <= 8; ++f)
        art["loading_anim_" + std::to_string(f)] = {46, 46, [f](ArtCanvas& c) { loadingFrame(c, 46, f - 1); }};
    return art;
}

}  // namespace

const std::map<std::string, ArtPiece>& artCatalogue() {
    static const std::map<std::string, ArtPiece> catalogue = build();
    return catalogue;
}

std::vector<uint32_t> renderArt(const ArtPiece& piece, int scale) {
    ArtCanvas canvas(piece.width, piece.height, scale);
    piece.draw(canvas);
    return canvas.pixels();
}

}  // namespace bundle
