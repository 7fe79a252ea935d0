#pragma once
// The windows of the government's books, made for the openers in openers_government.cpp. Each
// lays itself out in Build and brings its figures up to date in Refresh.

#include <memory>
#include <string>

class GUI_GameWindow;

std::unique_ptr<GUI_GameWindow> MakeFinanceWindow();
std::unique_ptr<GUI_GameWindow> MakePollsWindow();
std::unique_ptr<GUI_GameWindow> MakeCabinetWindow();
// The post is a policy group key ("ECONOMY").
std::unique_ptr<GUI_GameWindow> MakeAppointMinisterWindow(const std::string& portfolio);
std::unique_ptr<GUI_GameWindow> MakePartiesWindow();
std::unique_ptr<GUI_GameWindow> MakeAchievementsWindow();
std::unique_ptr<GUI_GameWindow> MakeReportsWindow();
std::unique_ptr<GUI_GameWindow> MakeIntelligenceWindow();

// An appointment window already open is turned to another post.
void RetargetAppointMinisterWindow(GUI_GameWindow& window, const std::string& portfolio);

// What the last appointment or dismissal came to, for the cabinet window to tell; empty until
// one is made in this game.
std::string& LastCabinetNews();

// The player's cabinet actions as the windows make them: the core decides, and every open
// window is brought up to date with the answer.
bool FireFromWindow(const std::string& ministerName);
bool AppointFromWindow(const std::string& ministerName, const std::string& portfolio);
