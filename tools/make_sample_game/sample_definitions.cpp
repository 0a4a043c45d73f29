#include "make_sample_game/sample_definitions.h"

#include "data/command_tables.h"
#include "data/ed_condition.h"

#include "make_sample_game/block_pictures.h"
#include "make_sample_game/chara_pictures.h"
#include "make_sample_game/item_pictures.h"
#include "make_sample_game/sample_flows.h"
#include "make_sample_game/sample_names.h"
#include "make_sample_game/sound_effects.h"

namespace sample {

namespace {

using namespace flows;

// Collision kinds and block effects.
enum : std::uint8_t { kPass = 0, kSolid = 1, kDeadly = 2 };
enum : std::uint8_t { kNoEffect = 0, kSpringEffect = 1, kNoJump = 2, kSpeedChange = 3, kCarryLeft = 4, kCarryRight = 5 };

struct BlockRow {
  int entry;
  int picture;
  std::uint8_t hit;
  std::uint8_t layer;  // 1: drawn in front of the characters
  std::uint8_t effect;
  std::int32_t effectValue;
  const char* name;
};

const BlockRow kBlockRows[] = {
    {blockdef::kGrass, blockpic::kGrass, kSolid, 0, kNoEffect, 0, "Grass"},
    {blockdef::kDirt, blockpic::kDirt, kSolid, 0, kNoEffect, 0, "Dirt"},
    {blockdef::kGrassLeft, blockpic::kGrassLeft, kSolid, 0, kNoEffect, 0, "Grass edge (left)"},
    {blockdef::kGrassRight, blockpic::kGrassRight, kSolid, 0, kNoEffect, 0, "Grass edge (right)"},
    {blockdef::kBrick, blockpic::kBrick, kSolid, 0, kNoEffect, 0, "Brick"},
    {blockdef::kStone, blockpic::kStone, kSolid, 0, kNoEffect, 0, "Stone"},
    {blockdef::kBonus, blockpic::kBonus, kSolid, 0, kNoEffect, 0, "Star block"},
    {blockdef::kCrate, blockpic::kCrate, kSolid, 0, kNoEffect, 0, "Crate"},
    {blockdef::kMetal, blockpic::kMetal, kSolid, 0, kNoEffect, 0, "Metal"},
    {blockdef::kSpikes, blockpic::kSpikes, kDeadly, 0, kNoEffect, 0, "Spikes"},
    {blockdef::kBridge, blockpic::kBridge, kSolid, 0, kNoEffect, 0, "Bridge"},
    {blockdef::kCloud, blockpic::kCloud, kSolid, 0, kNoEffect, 0, "Cloud"},
    {blockdef::kIce, blockpic::kIce, kSolid, 0, kNoEffect, 0, "Ice"},
    {blockdef::kWater, blockpic::kWaterTop, kDeadly, 1, kNoEffect, 0, "Water"},
    {blockdef::kWaterDeep, blockpic::kWater, kDeadly, 1, kNoEffect, 0, "Deep water"},
    {blockdef::kLava, blockpic::kLavaTop, kDeadly, 1, kNoEffect, 0, "Lava"},
    {blockdef::kLavaDeep, blockpic::kLava, kDeadly, 1, kNoEffect, 0, "Deep lava"},
    {blockdef::kGoalTop, blockpic::kGoalTop, kPass, 0, kNoEffect, 0, "Goal post top"},
    {blockdef::kGoalPole, blockpic::kGoalPole, kPass, 0, kNoEffect, 0, "Goal post"},
    {blockdef::kCastle, blockpic::kCastle, kSolid, 0, kNoEffect, 0, "Castle stone"},
    {blockdef::kBattlement, blockpic::kBattlement, kSolid, 0, kNoEffect, 0, "Battlement"},
    {blockdef::kSpring, blockpic::kSpring, kSolid, 0, kSpringEffect, 14, "Spring"},
    {blockdef::kConveyorLeft, blockpic::kConveyorLeft, kSolid, 0, kCarryLeft, 15, "Conveyor (left)"},
    {blockdef::kConveyorRight, blockpic::kConveyorRight, kSolid, 0, kCarryRight, 15, "Conveyor (right)"},
    {blockdef::kCaveDirt, blockpic::kCaveDirt, kSolid, 0, kNoEffect, 0, "Cave earth"},
    {blockdef::kBush, blockpic::kBush, kPass, 0, kNoEffect, 0, "Bush"},
    {blockdef::kFlowers, blockpic::kFlowers, kPass, 1, kNoEffect, 0, "Flowers"},
    {blockdef::kSign, blockpic::kSignRight, kPass, 0, kNoEffect, 0, "Sign"},
    {blockdef::kIsland, blockpic::kIsland, kSolid, 0, kNoEffect, 0, "Floating island"},
    {blockdef::kDarkBrick, blockpic::kDarkBrick, kSolid, 0, kNoEffect, 0, "Dark brick"},
    {blockdef::kDirtStones, blockpic::kDirtStones, kSolid, 0, kNoEffect, 0, "Stony earth"},
    {blockdef::kSpeedFloor, blockpic::kIce, kSolid, 0, kSpeedChange, 150, "Speed floor"},
    {blockdef::kMud, blockpic::kCaveDirt, kSolid, 0, kNoJump, 0, "Mud"},
    {blockdef::kGate, blockpic::kBrick, kSolid, 0, kNoEffect, 0, "Brick gate"},
};

// The gate stands while stage variable 1 is 0.
void AddGateCondition(cEdBlock& gate) {
  cEdCondition open;
  open.nKind = kCondStageVar;
  open.nVarIndex = 1;
  open.nOp = 0;
  open.nValue = 0;
  gate.conditions.push_back(open);
}

cEdBlock Block(const BlockRow& row) {
  cEdBlock block;
  block.strName = row.name;
  block.nGraphicKind = 0;
  block.nPicture = static_cast<std::uint16_t>(row.picture);
  block.nHitKind = row.hit;
  block.nLayer = row.layer;
  block.nBlockEffect = row.effect;
  block.nBlockEffectValue = row.effectValue;
  return block;
}

// What every character shares: a picture of the first sheet, no held item.
cEdChara Character(const char* name, int picture, int animeSet, int hp) {
  cEdChara chara;
  chara.strName = name;
  chara.nGraphicKind = 1;
  chara.nPicture = static_cast<std::uint16_t>(picture);
  chara.nAnimeSet = static_cast<std::uint16_t>(animeSet);
  chara.nMaxHp = hp;
  chara.nHeldItem = -1;
  return chara;
}

cEdChara Enemy(const char* name, int picture, int animeSet, int hp, int score) {
  cEdChara chara = Character(name, picture, animeSet, hp);
  chara.nGroup = kEnemyGroup;
  chara.nPower = 1;
  chara.nImpact = 3;
  chara.nScore = score;
  chara.nDeathEffect = charaeffect::kBurst;
  chara.nHitEffect = effect::kBurst;
  // Common variable 1 counts the enemies defeated in the whole game.
  chara.flows.push_back(Flow(kTriggerDied, {}, {RunCode("C1 = C1 + 1")}));
  return chara;
}

cEdChara Hero(bool showSign) {
  cEdChara hero = Character("Kestrel", charapic::kHero, animeset::kHero, 3);
  hero.nOperator = 0;  // the player
  hero.nGroup = kHeroGroup;
  hero.nFacing = 1;    // starts facing right
  hero.bFixedFacing = 0;
  hero.nStopEase = 40;
  // Fireballs outlast the sentries' orbs: where they meet, the orb goes.
  const cEdShot fireball = Erasable(ShotOf(shotpic::kFireball, 70, 18, 1, false, effect::kBurst), 5);
  hero.flows.push_back(Flow(kTriggerAlways, {Held({kKeyLeft, kKeyUpLeft, kKeyDownLeft})}, {Move(kLeft, 30, 1)}, true));
  hero.flows.push_back(Flow(kTriggerAlways, {Held({kKeyRight, kKeyUpRight, kKeyDownRight})}, {Move(kRight, 30, 1)}, true));
  hero.flows.push_back(Flow(kTriggerAlways, {Held({kButton1})}, {Jump(9, true, sfx::kJump, anime::kHeroJump)}));
  // Down, then button 2 within three frames: a spread of three. It shares its switch with the
  // single shot, so a press fires one or the other.
  constexpr int kShotSwitch = 1;
  hero.flows.push_back(Guarded(Flow(kTriggerAlways, {Held({kKeyDown}), Held({kButton2})},
                                    {Shoot(Spread(fireball, 3, 15), 3, sfx::kShot, anime::kHeroShoot)}),
                               {}, kShotSwitch, 3));
  hero.flows.push_back(
      Guarded(Flow(kTriggerAlways, {Held({kButton2})}, {Shoot(fireball, 3, sfx::kShot, anime::kHeroShoot)}), {},
              kShotSwitch));
  hero.flows.push_back(Flow(kTriggerAlways, {Held({kButton3})}, {Swing(sword::kFeatherBlade, 1, effect::kBurst), Wait(3)}));
  hero.flows.push_back(Flow(kTriggerDamaged, {},
                            {PlaySound(sfx::kStomp), FlashScreen(255, 0, 0, 40, 2), RunCharaEffect(charaeffect::kBlink)}));
  if (showSign) {
    hero.flows.push_back(Flow(kTriggerStageStart, {},
                              {ShowPicture(picture::kSign, 40), SayOnScreen("TAKE THE COINS, REACH THE ORB!", 40)}));
  }
  return hero;
}

cEdChara Beetle() {
  cEdChara beetle = Enemy("Mossback beetle", charapic::kBeetle, animeset::kWalker, 1, 100);
  beetle.flows.push_back(Flow(kTriggerAlways, {}, {WalkTurning(8, 50)}));
  return beetle;
}

cEdChara Sentry() {
  cEdChara sentry = Enemy("Sentry", charapic::kSentry, animeset::kStill, 3, 300);
  const cEdShot orb = Erasable(ShotOf(shotpic::kOrb, 30, 28, 1, true, effect::kNone), 1);
  sentry.flows.push_back(Flow(kTriggerStageStart, {}, {TargetHero()}));
  // It wakes when the hero comes within eight half blocks across.
  sentry.flows.push_back(Guarded(
      Flow(kTriggerAlways, {}, {FaceTarget(), Wait(12), Shoot(orb, 3, sfx::kEnemyShot, anime::kFire), Wait(12)}),
      {HeroWithin(8)}));
  return sentry;
}

// The castle's sentry fires fans of one, two and three orbs in turn: its code counts, and an
// arrange sets the next shot's count from the count.
cEdChara VolleySentry() {
  cEdChara sentry = Enemy("Volley sentry", charapic::kSentry, animeset::kStill, 4, 500);
  constexpr int kShotCount = 5;  // the shot's "発射数"
  const cEdShot orb = Spread(Erasable(ShotOf(shotpic::kOrb, 30, 28, 1, true, effect::kNone), 1), 1, 25);
  sentry.flows.push_back(Flow(kTriggerStageStart, {}, {TargetHero()}));
  sentry.flows.push_back(Guarded(Flow(kTriggerAlways, {},
                                      {FaceTarget(), Wait(10), RunCode("my.v1 = my.v1 % 3 + 1"),
                                       ArrangeFromVariable(kCmdShot, kShotCount, 1),
                                       Shoot(orb, 1, sfx::kEnemyShot, anime::kFire), Wait(10)}),
                                 {HeroWithin(12)}));
  return sentry;
}

// A nest that sends out a beetle every five seconds while the hero is near, three in all, and
// gives the hero a heart when broken.
cEdChara Hive() {
  cEdChara hive = Enemy("Beetle nest", charapic::kHive, animeset::kStill, 3, 300);
  constexpr int kCallingFlow = 1;  // flow ID "A"
  cEdFlow calling = Guarded(Flow(kTriggerAlways, {}, {SummonCharaBeside(charadef::kBeetle), RunCode("my.v2 = my.v2 + 1"),
                                                      Wait(50)}),
                            {HeroWithin(14)});
  calling.nFlowId = kCallingFlow;
  hive.flows.push_back(calling);
  hive.flows.push_back(Guarded(Flow(kTriggerAlways, {}, {HaltFlowsOfId(kCallingFlow)}), {OwnVariableAtLeast(2, 3)}));
  hive.flows.push_back(Flow(kTriggerDied, {}, {GiveItem(itemdef::kHeart)}));
  return hive;
}

cEdChara Bat() {
  cEdChara bat = Enemy("Dusk bat", charapic::kBat, animeset::kFlyer, 1, 200);
  bat.nFlight = 1;
  bat.bFixedFacing = 0;
  // It swoops, then comes after the hero, heading for where it was a third of a second ago.
  bat.flows.push_back(Flow(kTriggerStageStart, {}, {TargetHero()}));
  bat.flows.push_back(Flow(kTriggerAlways, {}, {Move(kDownLeft, 16, 8), Move(kUpLeft, 16, 8), Home(14, 20, 30)}));
  return bat;
}

// A floating stone the hero rides: a block character that nothing harms.
cEdChara Lift(const char* name, int there, int back, int speed) {
  cEdChara lift = Character(name, charapic::kLift, animeset::kStill, 999);
  lift.nGroup = 2;
  lift.nFlight = 1;
  lift.bBlockChara = 1;
  lift.nInvincible = 2;
  lift.nActivityRange = 3;  // keeps moving off screen, so its timing holds
  lift.flows.push_back(Flow(kTriggerAlways, {}, {Move(there, speed, 30), Wait(5), Move(back, speed, 30), Wait(5)}));
  return lift;
}

// A crate that falls and can be stood on: a walking block character.
cEdChara Crate() {
  cEdChara crate = Character("Crate", charapic::kLift, animeset::kStill, 999);
  crate.nGroup = 2;
  crate.bBlockChara = 1;
  crate.nInvincible = 2;
  return crate;
}

// A chest that breaks open into a ring of five coins.
cEdChara Chest() {
  cEdChara chest = Character("Treasure chest", charapic::kChest, animeset::kStill, 1);
  chest.nGroup = kEnemyGroup;
  chest.nScore = 50;
  chest.nDeathEffect = charaeffect::kBurst;
  chest.flows.push_back(Flow(kTriggerDied, {}, {SummonItemRing(itemdef::kCoin, 5, 3)}));
  return chest;
}

// The castle's wizard: a fan of three bolts, then an orb that follows the hero.
cEdChara Wizard() {
  cEdChara wizard = Enemy("Castle wizard", charapic::kWizard, animeset::kStill, 4, 800);
  const cEdShot bolt = ShotOf(shotpic::kStarShot, 40, 24, 1, true, effect::kNone);
  const cEdShot orb = Erasable(Homing(ShotOf(shotpic::kOrb, 20, 40, 1, false, effect::kNone)), 1);
  wizard.flows.push_back(Flow(kTriggerAlways, {},
                              {FaceTarget(), Wait(15), Shoot(Spread(bolt, 3, 20), 3, sfx::kEnemyShot, anime::kFire),
                               Wait(15), Shoot(orb, 3, sfx::kEnemyShot, anime::kFire), Wait(10)}));
  return wizard;
}

cEdChara Spiker() {
  cEdChara spiker = Enemy("Spiker", charapic::kSpiker, animeset::kWalker, 3, 400);
  spiker.nDefence = 0;
  // Down to its last point of HP it runs: the faster walk comes first and shares the slow
  // one's switch, so it takes over as soon as the slow step ends.
  constexpr int kWalkSwitch = 1;
  spiker.flows.push_back(Guarded(Flow(kTriggerAlways, {}, {WalkTurning(30, 5)}), {HpAtMost(1)}, kWalkSwitch));
  spiker.flows.push_back(Guarded(Flow(kTriggerAlways, {}, {WalkTurning(12, 5)}), {}, kWalkSwitch));
  return spiker;
}

// A frog that hops forward, turning at walls and ledges, and sits a while between hops. Its code
// rolls the game's dice after every hop: on a 2 or 3 the next hop is a high one, so a replay
// repeats the frog only when it repeats the seed.
cEdChara Frog() {
  cEdChara frog = Enemy("Pond frog", charapic::kFrog, animeset::kWalker, 1, 150);
  cEdCommand hop = WalkTurning(16, 6);
  hop.bNoWait = 1;  // along with the jump
  constexpr int kHopSwitch = 1;
  const auto hopOf = [&](int halfBlocks) {
    return Flow(kTriggerAlways, {},
                {hop, Jump(halfBlocks, false, sfx::kNone, anime::kNone), RunCode("my.v1 = rand(0, 3)"), Wait(10)});
  };
  frog.flows.push_back(Guarded(hopOf(7), {OwnVariableAtLeast(1, 2)}, kHopSwitch));
  frog.flows.push_back(Guarded(hopOf(4), {}, kHopSwitch));
  return frog;
}

// A will-o'-the-wisp going round and round where it was placed.
cEdChara Wisp() {
  cEdChara wisp = Enemy("Wisp", charapic::kWisp, animeset::kFlyer, 2, 250);
  wisp.nFlight = 1;
  wisp.flows.push_back(Flow(kTriggerAlways, {}, {Circle(4, 30)}));
  return wisp;
}

cEdItem Item(const char* name, int picture, int sound, std::initializer_list<cEdCommand> commands) {
  cEdItem item;
  item.strName = name;
  item.nGraphicKind = 2;
  item.nPicture = static_cast<std::uint16_t>(picture);
  item.nSound = static_cast<std::uint16_t>(sound);
  for (const cEdCommand& command : commands) item.commands.push_back(command);
  return item;
}

}  // namespace

void BuildCommonPalette(cCommonPalette& palette) {
  palette.Blocks.assign(1, cEdBlock());
  for (const BlockRow& row : kBlockRows) palette.Blocks.push_back(Block(row));
  AddGateCondition(palette.Blocks[blockdef::kGate]);
  // Standing on the star block pays a coin.
  palette.Blocks[blockdef::kBonus].nItemSource = 1;
  palette.Blocks[blockdef::kBonus].nItemIndex = itemdef::kCoin;

  palette.Charas.assign(1, cEdChara());
  palette.Charas.push_back(Hero(false));
  palette.Charas.push_back(Hero(true));
  palette.Charas.push_back(Beetle());
  palette.Charas.push_back(Sentry());
  palette.Charas.push_back(Bat());
  // Across: eleven cells there and back; up and down: four and a half rows.
  palette.Charas.push_back(Lift("Lift (across)", kRight, kLeft, 20));
  palette.Charas.push_back(Lift("Lift (up and down)", kUp, kDown, 8));
  palette.Charas.push_back(Spiker());
  palette.Charas.push_back(Crate());
  palette.Charas.push_back(Chest());
  palette.Charas.push_back(Wizard());
  palette.Charas.push_back(Frog());
  palette.Charas.push_back(Wisp());
  palette.Charas.push_back(VolleySentry());
  palette.Charas.push_back(Hive());

  palette.Items.assign(1, cEdItem());
  // Stage variable 1 counts the coins; the signpost shows it.
  cEdItem coin = Item("Coin", itempic::kCoin, sfx::kCoin, {AddScore(10), AddToStageVariable(1, 1), ShowEffect(effect::kSparkle)});
  coin.bPopUp = 0;
  palette.Items.push_back(coin);
  palette.Items.push_back(Item("Gem", itempic::kGem, sfx::kGem, {AddScore(100)}));
  palette.Items.push_back(Item("Heart", itempic::kHeart, sfx::kPowerUp, {AddHp(1)}));
  palette.Items.push_back(Item("Extra life", itempic::kOneUp, sfx::kPowerUp, {AddLife()}));
  cEdItem goal = Item("Goal orb", itempic::kGoalOrb, sfx::kGoal,
                      {ShowEffect(effect::kBurst), ItemSayOnScreen("ENEMIES BEATEN: #C1", 20), ClearStage()});
  goal.bPopUp = 0;
  palette.Items.push_back(goal);
  cEdItem fountain = Item("Heart fountain", itempic::kHeart, sfx::kPowerUp, {AddHp(1)});
  fountain.nTakeMode = 1;  // again each time the hero comes back to it
  palette.Items.push_back(fountain);
  // Capitals: the game's fonts draw small letters as key pictures.
  cEdItem signpost = Item("Signpost", blockpic::kSignRight, sfx::kNone, {ShowMessage("COINS SO FAR: #S1_3", 50, 30)});
  signpost.nGraphicKind = 0;  // drawn from the block sheet
  signpost.nTakeMode = 1;
  signpost.bPopUp = 0;
  palette.Items.push_back(signpost);
  // The star: eight seconds of invincibility, blinking, and the enemies' shots on screen gone.
  const cEdFlow starTime = Flow(kTriggerAlways, {}, {Wait(80), SetOwnFlag(4, 0), OperateThisFlow(4)});
  palette.Items.push_back(Item("Star", itempic::kStar, sfx::kPowerUp,
                               {SetTakerFlag(4, 1), BlinkTaker(charaeffect::kBlink), VanishShotsOnScreen(kEnemyGroup),
                                GiveFlow(starTime)}));
  // A feather that carries the hero up onto the high ground further on.
  palette.Items.push_back(Item("Feather of passage", itempic::kFeather, sfx::kPowerUp, {WarpToCell(67, 9)}));
}

}  // namespace sample
