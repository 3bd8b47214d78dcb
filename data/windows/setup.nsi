; The Windows setup program: both programs, the catalogue tool and the help
; file for all users of the computer, Start-menu entries that start the
; programs in the catalogue folder, and an uninstaller that takes away only
; what was installed. A catalogue and its daily copies are never touched.
;
; The catalogue folder is asked for during set-up. The default, each user's
; own Documents\Lomira, is kept in the entries as %USERPROFILE%\Documents\Lomira
; so that every user of the computer starts in a folder of their own. A whole
; computer room installs silently with one shared folder:
;   Lomira-3.2.0-setup.exe /S /CATALOGUE=\\server\lomira
;
; makensis -INPUTCHARSET UTF8 -DVERSION=3.2.0 -DBIN=<programs> -DSRC=<sources> -DOUT=<setup.exe> setup.nsi

Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "Zelkor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lomira"
; Runs once for each user at their next sign-in: makes their catalogue folder.
!define ACTIVE_SETUP_KEY "Software\Microsoft\Active Setup\Installed Components\Lomira"
!define USER_CATALOGUE "%USERPROFILE%\Documents\Lomira"
!define MENU_FOLDER "$SMPROGRAMS\Zelkor"
!define LIBRARIAN_ENTRY "Σ-Zelkor - Κατάλογος Βιβλιοθήκης.lnk"
!define STUDENTS_ENTRY "Μ-Zelkor - Κατάλογος για Μαθητές.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES64\Lomira"
BrandingText "${PRODUCT} ${VERSION}"

; The folder chosen for the catalogue, and what the entries start in.
Var Catalogue
Var StartIn

!define MUI_ICON "${SRC}/data/lomira.ico"
!define MUI_UNICON "${SRC}/data/lomira.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_HEADER_TEXT "Φάκελος του καταλόγου"
!define MUI_PAGE_HEADER_SUBTEXT "Πού φυλάσσεται ο κατάλογος «Zelkor.dat»."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Τα προγράμματα ξεκινούν σε αυτόν τον φάκελο και εκεί ανοίγουν ή δημιουργούν τον κατάλογο «Zelkor.dat». Αν δεν τον αλλάξετε, κάθε χρήστης του υπολογιστή έχει τον δικό του φάκελο Έγγραφα\Lomira. Για κοινό κατάλογο σε εργαστήριο, δώστε τον κοινόχρηστο φάκελο του διακομιστή, π.χ. \\server\lomira."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Φάκελος του καταλόγου"
!define MUI_DIRECTORYPAGE_VARIABLE $Catalogue
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Greek"

Function .onInit
  SetShellVarContext all
  ; The installing user's own folder stands for "each user's own".
  StrCpy $Catalogue "$PROFILE\Documents\Lomira"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CATALOGUE=" $1
  ${IfNot} ${Errors}
  ${AndIf} $1 != ""
    StrCpy $Catalogue $1
  ${EndIf}
FunctionEnd

Section
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${BIN}/Lomira.exe"
  File "${BIN}/LomiraView.exe"
  File "${BIN}/lomira-catalogue.exe"
  File "${BIN}/ZELKOR.HLP"
  File "${SRC}/README.md"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ${If} $Catalogue == "$PROFILE\Documents\Lomira"
    StrCpy $StartIn "${USER_CATALOGUE}"
    CreateDirectory "$PROFILE\Documents\Lomira"
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "" "${PRODUCT}"
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "Version" "3,2,0,0"
    WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "StubPath" \
      '"$SYSDIR\cmd.exe" /q /c if not exist "${USER_CATALOGUE}" mkdir "${USER_CATALOGUE}"'
  ${Else}
    StrCpy $StartIn $Catalogue
    ; A server that cannot be reached now may be reached later.
    ClearErrors
    CreateDirectory $Catalogue
  ${EndIf}

  ; A shortcut starts in the folder $OUTDIR names when it is made.
  CreateDirectory "${MENU_FOLDER}"
  StrCpy $OUTDIR $StartIn
  CreateShortCut "${MENU_FOLDER}\${LIBRARIAN_ENTRY}" "$INSTDIR\Lomira.exe" "" "$INSTDIR\Lomira.exe" 0
  CreateShortCut "${MENU_FOLDER}\${STUDENTS_ENTRY}" "$INSTDIR\LomiraView.exe" "" "$INSTDIR\LomiraView.exe" 0
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION} (Σ-Zelkor, Μ-Zelkor)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lomira.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only the installed files by name: the catalogue folder may be the program
; folder itself, and the catalogue, its copies and printed PDFs stay. A
; program still running (a student's, in a computer room) cannot be deleted
; now: it goes at the next restart, and its folder with it.
Section Uninstall
  SetShellVarContext all
  Delete /REBOOTOK "$INSTDIR\Lomira.exe"
  Delete /REBOOTOK "$INSTDIR\LomiraView.exe"
  Delete /REBOOTOK "$INSTDIR\lomira-catalogue.exe"
  Delete "$INSTDIR\ZELKOR.HLP"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  Delete "${MENU_FOLDER}\${LIBRARIAN_ENTRY}"
  Delete "${MENU_FOLDER}\${STUDENTS_ENTRY}"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKLM "${ACTIVE_SETUP_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
