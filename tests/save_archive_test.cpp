#include "base/json_writer.h"
#include "saveload/save_archive.h"
#include "saveload/save_reader.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A small section of the shapes the saved game uses: figures, a flag, a text, a number list and
// a list of records inside the element.
struct Crew {
    std::string name;
    int32_t age = 0;
};

template <typename Archive> void Visit(Archive& a, Crew& c) {
    a.Text({"name"}, c.name);
    a.Int({"age"}, c.age);
}

struct Ship {
    std::string name;
    float speed = 0.0f;
    bool afloat = false;
    float log[3] = {};
    std::vector<Crew> crew;
};

template <typename Archive> void Visit(Archive& a, Ship& s) {
    a.Text({"name", "title"}, s.name);
    a.Float({"speed", "knots"}, s.speed);
    a.Flag({"afloat", "afloat"}, s.afloat);
    a.Numbers({"log"}, s.log, 3);
    a.Records("crew", "sailor", s.crew);
}

std::vector<Ship> Fleet() {
    Ship first{"Heron", 12.5f, true, {0.25f, 0.5f, 1.0f}, {{"Ann", 30}, {"Bo", 41}}};
    Ship second{"Tern", 0.0f, false, {}, {}};
    Ship sunk{"Gull", 3.0f, false, {}, {{"Cy", 22}}};
    return {first, second, sunk};
}

// The fleet as the writer sees it: every ship that is afloat or was never launched.
std::string WriteFleet(const std::vector<Ship>& fleet) {
    SaveWriteArchive a;
    a.Begin("fleet");
    a.Elements<Ship>(
        "ship", fleet,
        [](const Ship& ship, Ship& record) {
            record = ship;
            return ship.afloat || ship.speed == 0.0f;
        },
        [](const Ship&) {});
    a.End("fleet");
    return a.Text();
}

TEST(SaveArchiveTest, WhatIsWrittenIsReadBackFromTheSamePlaces) {
    LoggedTest t;
    std::string text = WriteFleet(Fleet());
    EXPECT_EQ(text, "<fleet>\n<ship>\n<name>Heron</name>\n<speed>12.50000000</speed>\n"
                    "<afloat>1</afloat>\n<log>0.250,0.500,1.000,</log>\n<crew>\n<sailor>\n"
                    "<name>Ann</name>\n<age>30</age>\n</sailor>\n<sailor>\n<name>Bo</name>\n"
                    "<age>41</age>\n</sailor>\n</crew>\n</ship>\n<ship>\n<name>Tern</name>\n"
                    "<speed>0.00000000</speed>\n<afloat>0</afloat>\n<log>0.000,0.000,0.000,</log>\n"
                    "<crew>\n</crew>\n</ship>\n</fleet>\n")
        << "a ship left out by its capture is not written";

    SaveReader reader;
    reader.SetText(text);
    SaveReadArchive a(reader);
    std::vector<Ship> read;
    a.Begin("fleet");
    a.Elements<Ship>(
        "ship", std::vector<Ship>(), [](const Ship&, Ship&) { return true; },
        [&read](const Ship& ship) { read.push_back(ship); });
    a.End("fleet");
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].name, "Heron");
    EXPECT_FLOAT_EQ(read[0].speed, 12.5f);
    EXPECT_TRUE(read[0].afloat);
    EXPECT_FLOAT_EQ(read[0].log[2], 1.0f);
    ASSERT_EQ(read[0].crew.size(), 2u);
    EXPECT_EQ(read[0].crew[1].name, "Bo");
    EXPECT_EQ(read[0].crew[1].age, 41);
    EXPECT_EQ(read[1].name, "Tern");
    EXPECT_TRUE(read[1].crew.empty());
    EXPECT_TRUE(t.frontEnd.boxes.empty());

    // A field gone from the last record is reported, and so is every search after it, since the
    // scanner never reads backwards; the record is still handed over, holding what was found.
    std::string damaged = text;
    damaged.erase(damaged.find("<speed>0.00000000</speed>\n"), 26);
    reader.SetText(damaged);
    read.clear();
    a.Begin("fleet");
    a.Elements<Ship>(
        "ship", std::vector<Ship>(), [](const Ship&, Ship&) { return true; },
        [&read](const Ship& ship) { read.push_back(ship); });
    a.End("fleet");
    ASSERT_FALSE(t.frontEnd.boxes.empty());
    EXPECT_NE(t.frontEnd.boxes[0].text.find("missing tag: speed"), std::string::npos);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].name, "Tern");
}

TEST(SaveArchiveTest, TheDocumentTakesKeyedFieldsInItsOwnOrderAndNewOnesLast) {
    Ship ship = Fleet()[0];
    JsonFields fields;
    Visit(fields, ship);
    fields.Extra("port", [](JsonWriter& json) { json.Null(); });
    JsonWriter json;
    json.BeginObject();
    // "knots" is not placed: it follows the placed fields rather than being lost.
    fields.WriteTo(json, {"afloat", "port", "title"});
    json.EndObject();
    EXPECT_EQ(json.Text(), "{\n  \"afloat\": true,\n  \"port\": null,\n  \"title\": \"Heron\",\n"
                           "  \"knots\": 12.5\n}\n")
        << "fields without a key (the log, the crew) stay out of the document";
}

} // namespace
