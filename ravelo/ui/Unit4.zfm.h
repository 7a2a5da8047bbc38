#pragma once
// Layout of the animation window.

inline constexpr const char* Unit4_zfm = R"zfm(object Form4: TForm4
  Left = 200
  Top = 200
  Caption = 'Form4'
  ClientWidth = 115
  ClientHeight = 105
  object Animate1: TAnimate
    Left = 8
    Top = 8
    Width = 99
    Height = 89
    StopFrame = 9
  end
end
)zfm";
