#pragma once
// Puts the story into the game: the router's "CREDITS", "END-OF-LEVELS", "STORY-PLAZA",
// "STORY-START" and "STORY-OUTRO", the credits button of the options screen and the
// story-map interlude of the win and play screens. Run once before the router; loads the
// shared story resources and the credits when the loading screen has not.
void installStoryScreens();
