// A hand-made WordNet database and word lists in a temporary directory: a few synsets in the
// distributed formats, with the links the question rules read.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace questions::testing {

class SmallDatabase {
public:
    SmallDatabase() : m_directory(std::filesystem::temp_directory_path() / ("lexivo-small-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_directory);
        // Animals (lexicographer file 05), physical things: dog's parent canine, grandparent mammal; cat and lion are
        // cousins under mammal, wolf a sibling, puppy a child, wombat defined by a verb; carnivore is a word of dog's
        // definition; hound has a sense also-see linked to dog's; thief is defined by its own
        // derived verb; sparrow is a far relation; kitten's gloss needs cleaning. Kangaroo's only
        // cousins are possum, tree kangaroo, which holds it, tiger, mostly a person, and a sense of
        // its synonym boomer and hopper, a word of its definition; a being is defined by itself.
        write("data.noun",
              "  1 Licence.  \n"
              "00000099 03 n 01 physical_entity 0 000 | an entity that has physical existence  \n"
              "00000100 05 n 01 animal 0 001 @ 00000099 n 0000 | a living organism that moves  \n"
              "00000101 05 n 01 mammal 0 001 @ 00000100 n 0000 | a warm-blooded vertebrate  \n"
              "00000102 05 n 01 canine 0 001 @ 00000101 n 0000 | a fissiped mammal  \n"
              "00000103 05 n 01 dog 0 002 @ 00000102 n 0000 + 00000300 v 0101 | a domesticated carnivore kept by people; "
              "\"the dog barked all night\"  \n"
              "00000104 05 n 01 wolf 0 001 @ 00000102 n 0000 | a wild beast of the northern forests  \n"
              "00000105 05 n 01 feline 0 001 @ 00000101 n 0000 | any of the family Felidae  \n"
              "00000106 05 n 01 cat 0 001 @ 00000105 n 0000 | a small tame pet that purrs  \n"
              "00000107 05 n 01 lion 0 001 @ 00000105 n 0000 | a large tawny beast of the African plains  \n"
              "00000108 05 n 01 bird 0 001 @ 00000100 n 0000 | a warm-blooded egg-laying vertebrate with wings  \n"
              "00000109 05 n 01 sparrow 0 001 @ 00000108 n 0000 | a small brown songbird  \n"
              "00000110 05 n 01 puppy 0 001 @ 00000103 n 0000 | a young one of its kind  \n"
              "00000111 05 n 01 carnivore 0 001 @ 00000100 n 0000 | an eater of flesh  \n"
              "00000112 05 n 01 hound 0 001 ^ 00000103 n 0000 | a scoundrel of low character  \n"
              "00000113 05 n 01 barker 0 001 + 00000300 v 0101 | a creature given to loud calls  \n"
              "00000115 05 n 01 thief 0 001 + 00000303 v 0101 | a creature that steals food  \n"
              "00000114 05 n 01 kitten 0 001 @ 00000106 n 0000 | (zoology) a young one of the household pet; "
              "\"a ``playful'' kitten,too\"  \n"
              "00000130 05 n 01 marsupial 0 001 @ 00000100 n 0000 | a pouched mammal  \n"
              "00000131 05 n 01 macropod 0 001 @ 00000130 n 0000 | a hopping marsupial  \n"
              "00000132 05 n 02 kangaroo 0 boomer 0 001 @ 00000131 n 0000 | a large hopper of the outback  \n"
              "00000133 05 n 01 phalanger 0 001 @ 00000130 n 0000 | a climbing marsupial  \n"
              "00000134 05 n 01 possum 0 001 @ 00000133 n 0000 | a tree dweller that plays dead  \n"
              "00000135 05 n 01 tree_kangaroo 0 001 @ 00000133 n 0000 | a climber of rain forests  \n"
              "00000136 05 n 01 tiger 0 001 @ 00000133 n 0000 | a striped beast of Asia  \n"
              "00000137 05 n 01 boomer 1 001 @ 00000133 n 0000 | a glider of eucalyptus woods  \n"
              "00000138 05 n 01 hopper 0 001 @ 00000133 n 0000 | a leaper of dry scrub  \n"
              "00000139 05 n 01 wombat 0 001 @ 00000130 n 0000 | burrows under the outback  \n"
              "00000118 05 n 01 being 0 001 @ 00000100 n 0000 | a living being of any kind  \n"
              // An ox is defined by its own short name; a wolfhound by a word led by one of its two.
              "00000140 05 n 01 wolfhound 0 001 @ 00000101 n 0000 | a tall hunter hounding its prey  \n"
              // Narwhal's other spelling shows in its definition, lab a form of the word it is clipped
              // from; cheetah is of a kind told in lion's words.
              "00000141 05 n 02 narwhal 0 narwhale 0 001 @ 00000101 n 0000 | a small arctic whale  \n"
              "00000146 05 n 02 lab 0 labrador 0 001 @ 00000101 n 0000 | a labrador retriever kept as a gun dog  \n"
              // Water hound's definition ends a compound with one of its words.
              "00000147 05 n 01 water_hound 0 001 @ 00000101 n 0000 | a swimming wolfhound of the marshes  \n"
              "00000142 05 n 01 big_cat 0 001 @ 00000101 n 0000 | a large tawny beast of the plains  \n"
              "00000143 05 n 01 cheetah 0 001 @ 00000142 n 0000 | a swift spotted runner  \n"
              "00000144 05 n 01 hyaenid 0 001 @ 00000101 n 0000 | a scavenging mammal  \n"
              // Hyena's second example uses its word, the first only a synonym; its plurals are no synonyms.
              "00000145 05 n 03 hyena 0 hyenas 0 hyenae 0 001 @ 00000144 n 0000 | a laughing scavenger of the savanna; "
              "\"the beast laughed\"; \"a hyena laughed\"  \n"
              // Catbird's short lead shows in another word made on it, cattalo in the two it blends;
              // wolf-hounds is the plural of a word written whole.
              "00000148 05 n 01 catbird 0 001 @ 00000108 n 0000 | a grey songster seen on a catwalk  \n"
              "00000174 05 n 01 catfish 0 001 @ 00000100 n 0000 | a whiskered swimmer that lurks under catwalks  \n"
              "00000149 05 n 01 cattalo 0 001 @ 00000101 n 0000 | a hardy cross of cattle and buffalo  \n"
              "00000150 05 n 01 wolf-hounds 0 001 @ 00000101 n 0000 | a tall breed kept for the chase  \n"
              "00000170 05 n 01 starfish 0 001 @ 00000100 n 0000 | small mostly polar carnivores of the sea floor with five arms  \n"
              // Polar bear's definition holds the root of one of its words.
              "00000151 05 n 01 polar_bear 0 001 @ 00000101 n 0000 | a white hunter of the arctic ice near the pole  \n"
              "00000152 15 n 01 pole 0 001 + 00000409 a 0101 | one of the two ends of the earth's axis  \n"
              // Polecat's definition holds a form of the word it leads with.
              "00000172 05 n 01 polecat 0 001 @ 00000101 n 0000 | a polar hunter with a rank smell  \n"
              // Hog fish is defined by its name written as one word; shepherd's halves both show.
              "00000176 05 n 01 hog_fish 0 001 @ 00000100 n 0000 | a hogfish of warm reefs  \n"
              "00000177 05 n 01 shepherd 0 001 @ 00000100 n 0000 | a herder of sheep on the hills  \n"
              "00000178 14 n 01 herd 0 000 | a group of cattle  \n"
              // Bush dog's and reed cat's short words end a compound of their definitions, also as a plural;
              // dogwolf's short lead shows in a form of its own.
              "00000181 05 n 01 bush_dog 0 001 @ 00000101 n 0000 | a small wolfdog of the forests  \n"
              "00000183 05 n 01 reed_cat 0 001 @ 00000101 n 0000 | a shy hunter akin to polecats  \n"
              "00000182 05 n 01 dogwolf 0 001 @ 00000101 n 0000 | a dogged hunter of the hills  \n"
              // Pond scum is an alga, which WordNet files with the animals.
              "00000179 05 n 01 alga 0 001 @ 00000099 n 0000 | a simple plant of the water  \n"
              "00000180 05 n 01 pond_scum 0 001 @ 00000179 n 0000 | a free-floating green film on still water  \n"
              // Hawkfish's last word ends a compound of its definition.
              "00000175 05 n 01 hawkfish 0 001 @ 00000100 n 0000 | a reef swimmer akin to the wolffish  \n"
              "00000160 07 n 01 handiness 0 000 | the quality of being at hand when needed  \n"
              "00000161 07 n 01 distance 0 000 | the space between two points  \n"
              "00000162 07 n 01 ordinariness 0 000 | the quality of being commonplace  \n"
              "00000163 07 n 01 oldness 0 000 | the quality of being old  \n"
              "00000164 07 n 02 obviousness 0 noticeability 0 000 | the property of being easy to see  \n"
              "00000165 07 n 01 strength 0 000 | the property of being powerful  \n"
              // Canyon's synonym canon names something else.
              "00000153 05 n 02 canyon 0 canon 0 001 @ 00000100 n 0000 | a deep ravine cut by a river; \"the gorge echoed\"  \n"
              "00000119 05 n 01 ox 0 001 @ 00000100 n 0000 | a plodding ox of the plains  \n"
              "00000200 18 n 01 tiger 0 000 | a fierce person  \n"
              // Hawk is met twenty times as often as a person as it is as a bird.
              "00000171 05 n 01 hawk 0 001 @ 00000108 n 0000 | a swift grey raptor of the hills  \n"
              "00000201 18 n 01 hawk 0 000 | an advocate of an aggressive policy  \n"
              // Lark's bird is met no more than its frolic: neither is known as its usual sense.
              "00000172 05 n 01 lark 0 001 @ 00000108 n 0000 | a brown singer of open fields  \n"
              "00000202 04 n 01 lark 0 000 | a carefree adventure  \n"
              "00000203 04 n 01 walk 0 000 | a trip on foot  \n"
              "00000173 05 n 01 heron 0 001 @ 00000108 n 0000 | wading birds of the marshes  \n"
              // Trade: one sense of dealer is a seller, a marketer, which is one who markets; distributor,
              // dealer's cousin, is defined by that verb.
              "00000210 18 n 01 person 0 001 @ 00000099 n 0000 | a human being  \n"
              "00000211 18 n 01 businessperson 0 001 @ 00000210 n 0000 | a person who does business  \n"
              "00000212 18 n 01 merchant 0 001 @ 00000211 n 0000 | a businessperson engaged in retail trade  \n"
              "00000213 18 n 02 seller 0 marketer 0 002 @ 00000211 n 0000 + 00000390 v 0201 | someone who exchanges goods for money  \n"
              "00000214 18 n 01 dealer 0 001 @ 00000212 n 0000 | a stock keeper  \n"
              "00000215 18 n 01 dealer 1 001 @ 00000213 n 0000 | a seller of stolen goods  \n"
              "00000216 18 n 01 supplier 0 001 @ 00000211 n 0000 | someone whose business is to supply things  \n"
              "00000217 18 n 01 distributor 0 001 @ 00000216 n 0000 | someone who markets merchandise  \n"
              "00000218 18 n 01 bookkeeper 0 001 @ 00000216 n 0000 | someone who records the accounts of a firm  \n"
              "00000219 18 n 01 grocer 0 001 @ 00000212 n 0000 | someone who sells food and household supplies  \n"
              "00000220 18 n 01 banker 0 001 @ 00000216 n 0000 | someone who runs a bank  \n"
              "00000221 18 n 01 tailor 0 001 @ 00000212 n 0000 | someone who makes and mends clothes  \n"
              // A walk-on's gloss starts with a verb spelled as a plural.
              "00000222 18 n 01 walk-on 0 001 @ 00000210 n 0000 | plays a small part in a show  \n"
              "00000223 10 n 01 play 0 000 | a dramatic work for the stage  \n"
              // Places: a roadstead is a kind of anchorage, defined as a place.
              "00000500 15 n 01 place 0 000 | a point in space  \n"
              "00000501 15 n 01 area 0 000 | a part of a country  \n"
              "00000502 15 n 01 anchorage 0 001 @ 00000501 n 0000 | place for vessels to anchor  \n"
              "00000503 15 n 01 roadstead 0 001 @ 00000502 n 0000 | a partly sheltered anchorage  \n"
              // Regions: one sense of zone is a kind of region, the other a spot, which could pass for one.
              "00000530 15 n 01 location 0 001 @ 00000099 n 0000 | a point or extent in space  \n"
              "00000531 15 n 01 expanse 0 001 @ 00000530 n 0000 | a wide stretch of open country  \n"
              "00000532 15 n 01 region 0 001 @ 00000531 n 0000 | the extended spatial location of something  \n"
              "00000533 15 n 01 zone 1 001 @ 00000532 n 0000 | an area set apart by a feature of its own  \n"
              "00000534 15 n 01 spot 0 001 @ 00000530 n 0000 | a particular point  \n"
              "00000535 15 n 01 zone 0 001 @ 00000534 n 0000 | a locally circumscribed place with distinctive features  \n"
              "00000536 15 n 01 site 0 001 @ 00000530 n 0000 | the piece of land where something stands  \n"
              "00000537 15 n 01 harbor 0 001 @ 00000536 n 0000 | a sheltered port for ships  \n"
              // A gully and a streambed, which WordNet files apart, pass for each other.
              "00000544 15 n 01 gully 0 001 @ 00000541 n 0000 | a deep ditch cut by running water  \n"
              "00000545 15 n 01 streambed 0 001 @ 00000530 n 0000 | a channel occupied by a stream  \n"
              // Steppe's bare class is named by a kind three steps above desert: true of it, for all a
              // player knows.
              "00000541 15 n 02 land 0 dry_land 0 001 @ 00000099 n 0000 | the solid part of the earth's surface  \n"
              "00000543 15 n 01 terrain 0 001 @ 00000541 n 0000 | the lie of the ground  \n"
              "00000538 15 n 01 tract 0 001 @ 00000543 n 0000 | an extended area of ground  \n"
              "00000539 15 n 01 desert 0 001 @ 00000538 n 0000 | an arid waste with little or no vegetation  \n"
              "00000542 15 n 01 plain 0 001 @ 00000541 n 0000 | a level stretch of ground  \n"
              "00000540 15 n 01 steppe 0 001 @ 00000542 n 0000 | Asian dry land  \n"
              // Insistence, a kind of advocacy, the noun of advocate.
              "00000510 04 n 01 insistence 0 002 @ 00000511 n 0000 + 00000320 v 0101 | the act of insisting  \n"
              "00000511 04 n 01 advocacy 0 001 + 00000321 v 0101 | active support  \n"
              // Feelings: the nouns stew and dither are both kinds of agitation; dither is also a verb.
              "00000520 26 n 01 agitation 0 000 | a troubled state  \n"
              "00000521 26 n 01 stew 0 001 @ 00000520 n 0000 | agitation from worry  \n"
              "00000522 26 n 01 dither 0 002 @ 00000520 n 0000 + 00000331 v 0101 | an excited state  \n"
              // Arms: harquebus's definition is much its parent's, which is fusil's grandparent; cannon
              // stands apart, so that it and pistol, unrelated, may both be wrong.
              "00000600 06 n 01 firearm 0 001 @ 00000099 n 0000 | a portable gun  \n"
              "00000601 06 n 01 muzzle_loader 0 001 @ 00000600 n 0000 | an obsolete firearm loaded through the muzzle  \n"
              "00000602 06 n 01 musket 0 001 @ 00000601 n 0000 | a shoulder gun with a long barrel  \n"
              "00000603 06 n 01 fusil 0 001 @ 00000602 n 0000 | a light flintlock musket  \n"
              "00000604 06 n 01 harquebus 0 001 @ 00000601 n 0000 | an obsolete firearm with a long barrel  \n"
              "00000605 06 n 01 cannon 0 001 @ 00000099 n 0000 | a large gun fired from a carriage  \n"
              "00000606 06 n 01 pistol 0 001 @ 00000600 n 0000 | a small arm held in one hand  \n"
              // Carbine's definition is too long for a button, and its first clause names only a class,
              // which its cousins under firearm are of.
              "00000607 06 n 01 carbine 0 001 @ 00000608 n 0000 | light firearm; issued to the mounted troops "
              "who rode in the wars of the western frontier and needed a weapon short enough to carry in the saddle  \n"
              "00000608 06 n 01 weapon 0 001 @ 00000099 n 0000 | an instrument of attack or defense  \n"
              // Cognition: one sense of insight is a kind of discernment, as eye is, under another name.
              "00000700 09 n 03 sagacity 0 judgment 0 discernment 0 000 | the ability to judge relations  \n"
              "00000701 09 n 01 eye 0 001 @ 00000700 n 0000 | good discernment as if seen  \n"
              "00000702 09 n 02 understanding 0 discernment 1 000 | the condition of one who understands  \n"
              "00000703 09 n 01 perception 0 000 | knowledge gained by perceiving  \n"
              "00000704 09 n 01 insight 0 001 @ 00000703 n 0000 | clear or deep perception of a situation  \n"
              "00000705 09 n 01 insight 1 001 @ 00000702 n 0000 | a sudden clear grasp  \n"
              "00000706 09 n 01 variant 0 000 | something a little different from others of its type  \n"
              "00000707 09 n 01 reverie 0 000 | a calm lengthy intent consideration  \n"
              "00000709 04 n 02 peek 0 glance 0 001 + 00000360 v 0101 | a secret look  \n"
              // Brioche's only kin are muffin and scone; scone's verb, sweeten, shows in brioche's clue.
              "00000800 13 n 01 food 0 001 @ 00000099 n 0000 | a substance eaten for nourishment  \n"
              "00000801 13 n 01 baked_goods 0 001 @ 00000800 n 0000 | foods baked in an oven  \n"
              "00000802 13 n 01 roll 0 001 @ 00000801 n 0000 | a small rounded bread  \n"
              "00000803 13 n 01 brioche 0 001 @ 00000802 n 0000 | a small round bread that is often sweetened  \n"
              "00000804 13 n 01 cake 0 001 @ 00000801 n 0000 | a baked food of flour and eggs  \n"
              "00000805 13 n 01 muffin 0 001 @ 00000804 n 0000 | a quick cake baked in a cup  \n"
              "00000807 13 n 01 biscuit 0 001 @ 00000801 n 0000 | a small flat baked food  \n"
              "00000806 13 n 01 scone 0 002 @ 00000807 n 0000 + 00000363 v 0101 | a flat griddle biscuit  \n"
              // Panettone's gloss spells it all but alike; capsaicin's leads a word with its four first
              // letters, vinaigrette's with its root spelled otherwise, compote's only with a prefix's.
              // Players do not know divan as rolls.
              "00000808 13 n 01 panettone 0 001 @ 00000802 n 0000 | a sweet roll of Milan, or panattone  \n"
              "00000809 13 n 01 capsaicin 0 001 @ 00000804 n 0000 | a cake spiced with capsicum  \n"
              "00000810 13 n 01 compote 0 001 @ 00000804 n 0000 | a dessert of fruit compressed in pastry  \n"
              "00000811 13 n 01 divan 0 001 @ 00000804 n 0000 | a collection of Persian rolls baked together  \n"
              "00000812 13 n 01 vinaigrette 0 001 @ 00000804 n 0000 | a cake soaked in vinegar  \n");
        // Verbs: run and jog of one verb group, steering entails running; bark and its derived barker.
        write("data.verb",
              "00000300 29 v 01 bark 0 002 + 00000103 n 0101 + 00000113 n 0101 01 + 02 00 | make a loud call  \n"
              "00000301 38 v 01 run 0 001 $ 00000302 v 0000 01 + 02 00 | move fast on foot  \n"
              "00000302 38 v 01 jog 0 001 $ 00000301 v 0000 01 + 02 00 | run slowly  \n"
              "00000304 38 v 01 burrow 0 000 01 + 02 00 | dig a hole in dry soil  \n"
              "00000306 38 v 01 steer 0 001 * 00000301 v 0000 01 + 02 00 | direct oneself somewhere  \n"
              "00000305 29 v 01 kitten 0 000 01 + 02 00 | give birth to young cats  \n"
              "00000303 40 v 01 steal 0 001 + 00000115 n 0101 01 + 02 00 | take without asking  \n"
              // Near synonyms unlinked: take shares a sense with make, a synonym of do; push for is
              // push; end up and become are under act; advocate names insistence's kind.
              "00000310 41 v 02 do 0 make 0 000 01 + 02 00 | engage in  \n"
              "00000311 41 v 02 make 0 take 0 000 01 + 02 00 | carry out or commit  \n"
              "00000312 41 v 01 take 0 000 01 + 02 00 | carry out  \n"
              "00000313 41 v 01 push 0 000 01 + 02 00 | move forward  \n"
              "00000314 41 v 01 push_for 0 000 01 + 02 00 | demand something  \n"
              "00000315 41 v 01 act 0 000 01 + 02 00 | perform an action  \n"
              "00000316 41 v 01 end_up 0 001 @ 00000315 v 0000 01 + 02 00 | finally be or do something  \n"
              "00000317 30 v 01 change 0 001 @ 00000315 v 0000 01 + 02 00 | undergo a change  \n"
              "00000318 30 v 01 become 0 001 @ 00000317 v 0000 01 + 02 00 | enter a state  \n"
              "00000320 32 v 01 insist 0 001 + 00000510 n 0101 01 + 02 00 | refuse to budge  \n"
              "00000321 32 v 01 advocate 0 001 + 00000511 n 0101 01 + 02 00 | speak in favor of  \n"
              // Show is to prove, and prove in another sense to establish: a definition led by establish
              // could pass for show.
              "00000350 32 v 03 show 0 testify 0 prove 1 000 01 + 02 00 | provide evidence for  \n"
              "00000351 32 v 03 prove 0 establish 0 show 1 001 @ 00000355 v 0000 01 + 02 00 | make certain by an example  \n"
              // Parade is told by the kind of a sense of show.
              "00000355 32 v 01 demonstrate 0 000 01 + 02 00 | give an exhibition of  \n"
              "00000356 32 v 01 parade 0 000 01 + 02 00 | demonstrate in a march  \n"
              // Scan is told in the words of peek's noun, a glance; it and gaze are all peek's kin.
              "00000360 39 v 01 peek 0 001 + 00000709 n 0101 01 + 02 00 | look quickly and secretly  \n"
              "00000361 39 v 01 scan 0 000 01 + 02 00 | glance through a page  \n"
              "00000362 39 v 01 gaze 0 000 01 + 02 00 | fix the eyes steadily on something  \n"
              "00000363 30 v 01 sweeten 0 001 + 00000806 n 0101 01 + 02 00 | make sweeter  \n"
              "00000352 32 v 01 determine 0 000 01 + 02 00 | establish after a study  \n"
              "00000354 32 v 01 whisper 0 000 01 + 02 00 | speak softly  \n"
              "00000330 37 v 01 stew 0 000 01 + 02 00 | bear a grudge  \n"
              "00000331 37 v 01 dither 0 001 + 00000522 n 0101 01 + 02 00 | make a fuss  \n"
              // Walk's parent travels, as glide and run move; scurry is defined by a bare word.
              "00000340 38 v 01 travel 0 000 01 + 02 00 | change location; move, travel, or proceed  \n"
              "00000341 38 v 01 walk 0 001 @ 00000340 v 0000 01 + 02 00 | use the feet to advance on dry ground  \n"
              "00000370 34 v 01 fish 0 000 01 + 02 00 | try to catch swimmers  \n"
              "00000342 38 v 01 glide 0 000 01 + 02 00 | move smoothly and effortlessly  \n"
              "00000343 38 v 01 hurry 0 000 01 + 02 00 | go quickly, faster than a jog  \n"
              "00000344 38 v 01 scurry 0 000 01 + 02 00 | to hurry  \n"
              "00000345 38 v 01 climb 0 000 01 + 02 00 | go upward with gradual progress  \n"
              // Contest: campaign is in one sense to fight, and battle a kind of fighting.
              "00000380 33 v 02 contend 0 fight 0 000 01 + 02 00 | be in a struggle  \n"
              "00000381 33 v 01 campaign 0 000 01 + 02 00 | stand for office  \n"
              "00000382 41 v 02 campaign 1 fight 1 000 01 + 02 00 | strive for a cause  \n"
              "00000383 33 v 01 battle 0 001 @ 00000380 v 0000 01 + 02 00 | struggle against as if in a war  \n"
              "00000384 33 v 01 referee 0 000 01 + 02 00 | judge a match between teams  \n"
              "00000385 33 v 01 tackle 0 000 01 + 02 00 | seize the player holding the ball  \n"
              "00000386 33 v 01 score 0 000 01 + 02 00 | gain a point in a game  \n"
              "00000390 40 v 01 market 0 001 + 00000213 n 0102 01 + 02 00 | offer for sale  \n"
              // Sink's definition holds its irregular form, strengthen's the adjective of its strength.
              "00000346 38 v 01 sink 0 000 01 + 02 00 | go down as a stone that has sunk  \n"
              "00000347 38 v 01 strengthen 0 000 01 + 02 00 | make strong or stronger  \n");
        write("data.adj",
              "00000400 00 a 01 big 0 001 & 00000401 s 0000 | above average in size  \n"
              "00000401 00 s 01 huge 0 001 & 00000400 a 0000 | unusually great in size  \n"
              "00000402 00 a 01 small 0 000 | limited in size  \n"
              // Rosy is in fortunate's cluster, which sees propitious's.
              "00000403 00 a 01 fortunate 0 001 & 00000404 s 0000 | having good fortune  \n"
              "00000404 00 s 01 rosy 0 001 & 00000403 a 0000 | presaging good fortune  \n"
              "00000405 00 a 01 propitious 0 001 ^ 00000403 a 0000 | presenting favorable circumstances  \n"
              // Reachable is in accessible's cluster; available's definition holds accessible.
              // Available and accessible value handiness alike; unavailable, not by name; near and close
              // share a word; extraordinary names ordinary but is its antonym; old heads two, each named in oldness.
              "00000406 00 a 01 accessible 0 002 & 00000407 s 0000 = 00000160 n 0000 | capable of being reached  \n"
              "00000407 00 s 01 reachable 0 001 & 00000406 a 0000 | easily approached  \n"
              "00000408 00 a 01 available 0 001 = 00000160 n 0000 | obtainable or accessible and ready for use  \n"
              "00000410 00 s 01 in_stock 0 001 & 00000408 a 0000 | available for use or sale  \n"
              "00000411 00 a 01 unavailable 0 001 = 00000160 n 0000 | not available or accessible  \n"
              "00000412 00 a 02 near 0 close 0 001 = 00000161 n 0000 | not far distant  \n"
              "00000413 00 a 01 close 1 002 & 00000414 s 0000 = 00000161 n 0000 | at a short distance  \n"
              "00000414 00 s 01 at_hand 0 001 & 00000413 a 0000 | within reach  \n"
              "00000415 00 a 01 ordinary 0 001 = 00000162 n 0000 | not exceptional  \n"
              "00000416 00 a 01 extraordinary 0 002 = 00000162 n 0000 ! 00000415 a 0000 | beyond what is ordinary  \n"
              // Two senses of old, each with a satellite.
              "00000417 00 a 01 old 0 003 & 00000418 s 0000 = 00000163 n 0000 + 00000163 n 0101 | of long duration  \n"
              "00000418 00 s 01 outworn 0 001 & 00000417 a 0000 | too old to be useful  \n"
              "00000419 00 a 01 old 1 003 & 00000420 s 0000 = 00000163 n 0000 + 00000163 n 0101 | having lived long  \n"
              "00000420 00 s 01 aged 0 001 & 00000419 a 0000 | advanced in years  \n"
              // Obviousness is named after both obvious and noticeable.
              "00000421 00 a 01 obvious 0 002 = 00000164 n 0000 + 00000164 n 0101 | easily perceived  \n"
              "00000422 00 a 01 noticeable 0 002 = 00000164 n 0000 + 00000164 n 0102 | capable of being perceived  \n"
              // Numbers, satellites of cardinal.
              "00000423 00 a 01 cardinal 0 000 | being or denoting a numerical quantity  \n"
              "00000424 00 s 01 six 0 001 & 00000423 a 0000 | being one more than five  \n"
              "00000425 00 s 02 ix 0 nine 0 001 & 00000423 a 0000 | being one more than eight  \n"
              "00000426 00 s 01 forty 0 001 & 00000423 a 0000 | being ten more than thirty  \n"
              "00000409 00 a 01 polar 0 001 + 00000152 n 0101 | of the earth's poles  \n"
              "00000427 00 a 01 strong 0 001 = 00000165 n 0000 | having great power  \n");
        write("cntlist.rev", "dog%1:05:00:: 1 40\ncanon%1:05:00:: 1 9\ncat%1:05:00:: 1 30\ntiger%1:18:00:: 1 5\nhawk%1:18:00:: 1 60\nhawk%1:05:00:: 2 3\nboomer%1:05:01:: 1 3\nlark%1:05:00:: 1 9\nlark%1:04:00:: 2 3\nkitten%1:05:00:: 1 2\ninsight%1:09:00:: 1 5\nzone%1:15:00:: 1 5\n");
        write("noun.exc", "hyenae hyena\npups pup\n");
        write("verb.exc", "sunk sink\n");
        write("american-english-small", "animal\ndog\ncat\nlion\nwolf\nbird\npuppy\nhound\nbeing\ncheetah\nhyena\n");
        write("american-english", "animal\ndog\ncat\nlion\nwolf\nbird\npuppy\nhound\nbeing\nmammal\ncanine\nsparrow\nkitten\n");
        write("american-english-large", "animal\ndog\ncat\nlion\nwolf\nbird\npuppy\nhound\nbeing\nmammal\ncanine\nsparrow\nkitten\n"
                                        "feline\ncarnivore\nbarker\nthief\nox\nwolfhound\nnarwhal\ncheetah\nhyena\nlab\nwater hound\n"
                                        "catbird\ncatfish\ncattalo\nwolf-hounds\npolar bear\npolecat\ncanyon\ncanon\nstarfish\nhawkfish\nhog fish\nshepherd\npond scum\nbush dog\nreed cat\ndogwolf\n");
        write("american-english-huge", "animal\ndog\ncat\nlion\nwolf\nbird\npuppy\nhound\nbeing\nmammal\ncanine\nsparrow\nkitten\n"
                                       "feline\ncarnivore\nbarker\nthief\nox\npups\nhawk\nkangaroo\npossum\ntree kangaroo\ntiger\nboomer\nhopper\nwombat\n"
                                       "run\njog\nburrow\ntravel\nwalk\nglide\nhurry\nscurry\nclimb\nsink\nstrengthen\nbig\nhuge\nsmall\nfortunate\nrosy\n"
                                       "propitious\naccessible\nreachable\navailable\nsix\nix\nnine\nforty\nmusket\nfusil\nharquebus\ncannon\npistol\ncarbine\neye\ninsight\n"
                                       "variant\nreverie\nshow\ntestify\nprove\nestablish\ndetermine\nwhisper\ninsist\nadvocate\nparade\npeek\nscan\ngaze\nbrioche\nmuffin\nscone\nlark\nheron\n"
                                       "region\nzone\nharbor\nexpanse\nspot\nsite\nlocation\ntract\ndesert\nsteppe\nland\nplain\nterrain\ncampaign\nbattle\ncontend\nreferee\ntackle\nscore\ndealer\ndistributor\nbookkeeper\ngrocer\nbanker\ntailor\nwalk-on\npanettone\ncapsaicin\ncompote\ndivan\nvinaigrette\n");
    }
    ~SmallDatabase() { std::filesystem::remove_all(m_directory); }
    SmallDatabase(const SmallDatabase&) = delete;
    SmallDatabase& operator=(const SmallDatabase&) = delete;

    std::string path() const { return m_directory.string(); }

private:
    void write(const char* name, const std::string& text) { std::ofstream(m_directory / name) << text; }

    std::filesystem::path m_directory;
};

}  // namespace questions::testing
