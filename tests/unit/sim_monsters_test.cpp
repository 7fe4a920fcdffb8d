#include <gtest/gtest.h>

#include <cmath>

#include "sim/monsters.h"
#include "sim_test_world.h"

namespace {

class Monsters : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetSimWorld();
        fillGround(10, 10, 100, 100, CellType::Pavement);
        placeHeroAt(500, 500);
    }

    // The monster phases use the hero's cell as the previous update left it.
    void placeHeroAt(float x, float z)
    {
        hero.x = x;
        hero.y = 5;
        hero.z = z;
        hero.cellX = cellIndexOf(x);
        hero.cellZ = cellIndexOf(z);
    }

    static bool filedIn(const Actor* actor, int x, int z)
    {
        for (int s = 0; s < actorGrid.count[x][z]; ++s) {
            if (actorGrid.slots[x][z][s] == actor) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(Monsters, ChaseStepIsNotTimeScaledButAnimationIs)
{
    Actor* robot = addMonster(ActorKind::Robot, 530, 5, 500);
    updateMonsters(2.0f);
    EXPECT_NEAR(robot->x, 529.75f, 1e-4f);
    EXPECT_NEAR(robot->z, 500.0f, 1e-4f);
    EXPECT_NEAR(robot->heading, 3.1415927f, 1e-6f);
    EXPECT_NEAR(robot->animPhase, 0.15f, 1e-6f);
    // It fell 0.4 and the pavement lifted it back.
    EXPECT_FLOAT_EQ(robot->y, 5.0f);
}

TEST_F(Monsters, AnimationWrapsIntoTheCycle)
{
    Actor* zombie = addMonster(ActorKind::Zombie, 480, 5, 480);
    zombie->animPhase = 3.99f;
    updateMonsters(1.0f);
    EXPECT_NEAR(zombie->animPhase, 0.065f, 1e-5f);
    Actor* big = addMonster(ActorKind::BigMonster, 420, 5, 420);
    big->animPhase = 3.98f;
    updateMonsters(2.0f);
    EXPECT_NEAR(big->animPhase, 0.05f, 1e-5f);
}

TEST_F(Monsters, TwoMonstersAtOnePointSeparateAlongX)
{
    // The hero lies straight along +x, so the first one's chase lands it on the second.
    placeHeroAt(700, 600);
    Actor* first = addMonster(ActorKind::Zombie, 600.0f - KindChaseStep[static_cast<int>(ActorKind::Zombie)], 5, 600);
    // Spacing ignores height.
    Actor* second = addMonster(ActorKind::Zombie, 600, 40, 600);
    ASSERT_EQ(first->x + KindChaseStep[static_cast<int>(ActorKind::Zombie)], 600.0f);
    updateMonsters(1.0f);
    // The first goes +x and the second -x by 5.6 / 4; then the second's own visit: a chase of
    // 0.15 leaves them 2.65 apart, and each moves a further (5.6 - 2.65) / 4 away.
    EXPECT_NEAR(first->x, 602.1375f, 1e-3f);
    EXPECT_NEAR(second->x, 598.0125f, 1e-3f);
    EXPECT_NEAR(first->z, 600.0f, 1e-4f);
    EXPECT_NEAR(second->z, 600.0f, 1e-4f);
}

TEST_F(Monsters, ScanContinuesWithTheMonsterThatMovedIntoTheVacatedSlot)
{
    placeHeroAt(600, 500);
    Actor* leaving = addMonster(ActorKind::Zombie, 504.9f, 5, 503);
    Actor* staying = addMonster(ActorKind::Robot, 496, 5, 496);
    updateMonsters(1.0f);
    EXPECT_TRUE(filedIn(leaving, 51, 50));
    EXPECT_EQ(actorGrid.count[50][50], 1);
    EXPECT_EQ(actorGrid.slots[50][50][0], staying);
    EXPECT_NEAR(staying->animPhase, 0.075f, 1e-6f);
    EXPECT_GT(staying->x, 496.0f);
    // Filed into a cell the scan had yet to visit, the leaver was updated there once more.
    EXPECT_NEAR(leaving->animPhase, 0.15f, 1e-6f);
    EXPECT_TRUE(actorGridConsistent(2));
}

TEST_F(Monsters, RefilingKeepsTheOtherSlotsInOrder)
{
    placeHeroAt(400, 500);
    Actor* a = addMonster(ActorKind::Zombie, 502, 5, 496);
    Actor* b = addMonster(ActorKind::Zombie, 495.05f, 5, 503);
    Actor* c = addMonster(ActorKind::Zombie, 503, 5, 503);
    updateMonsters(1.0f);
    ASSERT_TRUE(filedIn(b, 49, 50));
    EXPECT_EQ(actorGrid.count[50][50], 2);
    EXPECT_EQ(actorGrid.slots[50][50][0], a);
    EXPECT_EQ(actorGrid.slots[50][50][1], c);
}

TEST_F(Monsters, WindowReachesFifteenCellsAndNoFurther)
{
    Actor* nearX = addMonster(ActorKind::Zombie, 650, 5, 500);
    Actor* farX = addMonster(ActorKind::Zombie, 660, 5, 500);
    Actor* nearZ = addMonster(ActorKind::Robot, 500, 5, 350);
    Actor* farZ = addMonster(ActorKind::Robot, 500, 5, 340);
    updateMonsters(1.0f);
    EXPECT_LT(nearX->x, 650.0f);
    EXPECT_GT(nearZ->z, 350.0f);
    EXPECT_FLOAT_EQ(farX->x, 660.0f);
    EXPECT_FLOAT_EQ(farX->animPhase, 0.0f);
    EXPECT_FLOAT_EQ(farZ->z, 340.0f);
    EXPECT_FLOAT_EQ(farZ->y, 5.0f);
    EXPECT_EQ(monstersNearHero(), 2);
}

TEST_F(Monsters, FullCellKeepsTheNewcomerInItsOldCellUntilThereIsRoom)
{
    // Hero to the -x side: the window ends at cell 35, so the ten in cell 36 stand still.
    placeHeroAt(200, 500);
    for (int k = 0; k < MaxActorsPerCell; ++k) {
        addMonster(ActorKind::Zombie, 363, 5, 502);
    }
    Actor* pushed = addMonster(ActorKind::Zombie, 354.9f, 5, 500);
    addMonster(ActorKind::Zombie, 352, 5, 500);
    updateMonsters(1.0f);
    ASSERT_GE(pushed->x, 355.0f);
    EXPECT_EQ(actorGrid.count[36][50], MaxActorsPerCell);
    EXPECT_TRUE(filedIn(pushed, 35, 50));
    EXPECT_TRUE(actorGridConsistent(12));

    // Room again: it moves over.
    --actorGrid.count[36][50];
    updateMonsters(1.0f);
    ASSERT_GE(pushed->x, 355.0f);
    EXPECT_TRUE(filedIn(pushed, 36, 50));
    EXPECT_EQ(actorGrid.count[36][50], MaxActorsPerCell);
}

TEST_F(Monsters, WallsPushMonstersOutOfBlockedColumns)
{
    cityGrid.blocked[49][50] = 1;
    placeHeroAt(400, 500);
    // Chasing toward -x runs it into the blocked column at x in [485, 495).
    Actor* zombie = addMonster(ActorKind::Zombie, 497.9f, 5, 500);
    for (int k = 0; k < 10; ++k) {
        updateMonsters(1.0f);
    }
    EXPECT_FLOAT_EQ(zombie->x, 495.0f + KindRadius[static_cast<int>(ActorKind::Zombie)]);
}

class MonsterContact : public Monsters {};

TEST_F(MonsterContact, ThreeTouchingMonstersDrainPerUpdateAndAreShovedOut)
{
    Actor* ring[3] = {addMonster(ActorKind::Zombie, 503, 5, 500), addMonster(ActorKind::Robot, 500, 5, 497),
                      addMonster(ActorKind::BigMonster, 497, 5, 500)};
    applyMonsterContact(1.0f);
    EXPECT_NEAR(hero.health, 99.7f, 1e-4f);
    // The first is shoved to exactly R from where the hero stood.
    EXPECT_NEAR(ring[0]->x, 500.0f + KindRadius[static_cast<int>(ActorKind::Zombie)] + 2.5f, 1e-4f);
    EXPECT_NEAR(ring[1]->z, 500.0f - KindRadius[static_cast<int>(ActorKind::Robot)] - 2.5f, 0.05f);
    // Knocked back a sixteenth of each overlap: the big monster's overlap is larger.
    EXPECT_GT(hero.x, 500.0f);

    hero.health = 0.25f;
    for (Actor* m : ring) {
        m->x = 500;
        m->z = 500;
    }
    hero.x = 500;
    hero.z = 500;
    applyMonsterContact(2.0f);
    EXPECT_EQ(hero.health, 0.0f);
}

TEST_F(MonsterContact, HeroStandingOnAMonsterTakesNoDamage)
{
    Actor* big = addMonster(ActorKind::BigMonster, 501, 5, 500);
    hero.y = 20;
    applyMonsterContact(1.0f);
    EXPECT_EQ(hero.health, 100.0f);
    EXPECT_FLOAT_EQ(big->x, 501.0f);
    hero.y = 19.9f;
    applyMonsterContact(1.0f);
    EXPECT_NEAR(hero.health, 99.9f, 1e-5f);
}

TEST_F(MonsterContact, OnlyTheNineCellsAroundTheHerosLastCellCount)
{
    // Filed two cells away but placed right beside the hero: not looked at.
    Actor* stray = addMonster(ActorKind::Zombie, 520, 5, 500);
    stray->x = 501;
    addMonster(ActorKind::Zombie, 514.9f, 5, 500)->x = 502;
    applyMonsterContact(1.0f);
    EXPECT_NEAR(hero.health, 99.9f, 1e-5f);
    EXPECT_FLOAT_EQ(stray->x, 501.0f);
}

}  // namespace
