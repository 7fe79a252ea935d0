#include "base/json_writer.h"
#include "saveload/save_archive.h"
#include "saveload/save_check.h"
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

std::string WriteFleetAsRows(const std::vector<Ship>& fleet) {
    SaveWriteArchive a;
    a.Begin("fleet");
    a.Rows<Ship>(
        "ships", fleet,
        [](const Ship& ship, Ship& record) {
            record = ship;
            return true;
        },
        [](const Ship&) {});
    a.End("fleet");
    return a.Text();
}

std::vector<Ship> ReadFleetRows(const std::string& text) {
    SaveReader reader;
    reader.SetText(text);
    SaveReadArchive a(reader);
    std::vector<Ship> read;
    a.Begin("fleet");
    a.Rows<Ship>(
        "ships", std::vector<Ship>(), [](const Ship&, Ship&) { return true; },
        [&read](const Ship& ship) { read.push_back(ship); });
    a.End("fleet");
    return read;
}

// The fleet stands in a file of its own, as a section of the saved game does.
std::string RowDamage(const std::string& fleet) {
    const std::string text = "<file>\n" + fleet + "</file>\n";
    SaveCheckArchive check(text);
    check.Begin("file");
    check.Begin("fleet");
    std::vector<Ship> none;
    check.Rows<Ship>(
        "ships", none, [](const Ship&, Ship&) { return true; }, [](const Ship&) {});
    check.End("fleet");
    check.End("file");
    check.Finish();
    return check.Problem();
}

TEST(SaveArchiveTest, RowsLeaveOutWhatANewRecordHoldsAndReadEveryFieldBack) {
    LoggedTest t;
    std::vector<Ship> fleet = Fleet();
    // Names holding every character that separates rows, fields and records.
    fleet[0].crew[0].name = "Ann; of|the:Heron & <co>\nline";
    fleet[2].name = "";
    fleet.push_back(Ship{});
    // A crew of one sailor as new is not a ship without crew.
    fleet.push_back(Ship{"", 0.0f, false, {}, {Crew{}}});
    fleet[1].log[2] = 1.0e-7f;
    const std::string text = WriteFleetAsRows(fleet);
    EXPECT_EQ(text, "<fleet>\n<ships>\n"
                    "Heron;12.5;1;0.25,0.5,1,;Ann&s of&bthe&cHeron &a &lco&g&nline:30|"
                    "Bo:41|\nTern;;;0,0,1e-07,\n;3;;;Cy:22|\n\n;;;;|\n</ships>\n</fleet>\n")
        << "the empty fields at a row's end are left off, and a ship as new is an empty row";

    const std::vector<Ship> read = ReadFleetRows(text);
    ASSERT_EQ(read.size(), fleet.size());
    for (size_t i = 0; i < fleet.size(); ++i) {
        EXPECT_EQ(read[i].name, fleet[i].name) << i;
        EXPECT_EQ(read[i].speed, fleet[i].speed) << i;
        EXPECT_EQ(read[i].afloat, fleet[i].afloat) << i;
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(read[i].log[k], fleet[i].log[k]) << i;
        ASSERT_EQ(read[i].crew.size(), fleet[i].crew.size()) << i;
        for (size_t c = 0; c < fleet[i].crew.size(); ++c) {
            EXPECT_EQ(read[i].crew[c].name, fleet[i].crew[c].name);
            EXPECT_EQ(read[i].crew[c].age, fleet[i].crew[c].age);
        }
    }
    EXPECT_EQ(RowDamage(text), "");
    EXPECT_TRUE(t.frontEnd.boxes.empty());
}

TEST(SaveArchiveTest, TheCheckNamesTheFirstRowThatIsWrong) {
    LoggedTest t;
    const std::string head = "<fleet>\n<ships>\nHeron;12.5;1;0.25,0.5,1,;Ann:30|\n";
    const std::string tail = "</ships>\n</fleet>\n";
    const std::pair<std::string, std::string> damaged[] = {
        {head + "Tern;fast\n" + tail, "row 2 of <ships> in section \"fleet\" is wrong: the value "
                                      "\"fast\" of <speed> is not a number"},
        {head + "Tern;;;1,,2,\n" + tail, "<log> holds an empty number"},
        {head + "Tern;;;;;extra\n" + tail, "holds 6 fields where there are 5"},
        {head + "Tern;;;;Bo:x|\n" + tail, "in <crew>, the value \"x\" of <age> is not a number"},
        {head + "Tern;;;;Bo:41\n" + tail, "<crew> does not end its last record with \"|\""},
        {head + "Tern;1" + tail, "the last row of <ships> in section \"fleet\" breaks off"},
        {head + "Tern;1", "</ships> is missing in section \"fleet\", where \"</file>\" stands"},
    };
    for (const auto& [text, problem] : damaged)
        EXPECT_NE(RowDamage(text).find(problem), std::string::npos)
            << RowDamage(text) << "\nexpected: " << problem;
    // Whatever the check refuses, reading takes without harm.
    for (const auto& [text, problem] : damaged)
        ReadFleetRows(text);
}

} // namespace
