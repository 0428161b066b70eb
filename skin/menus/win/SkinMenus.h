#pragma once
// Start-up of the skinned menus, once, before the first form is made: the skinned controls and the layers
// below them, then the skinned-menu component that every skin manager made afterwards owns.

void InitializeSkinMenus();
