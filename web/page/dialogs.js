// The two modal dialogs: the end-of-game question and "Over...". Each takes
// the focus as it opens and gives it back to where it was as it closes.
function setText(document, id, text) {
  const element = document.getElementById(id);
  if (element && !element.textContent.trim())
    element.textContent = text;
  return element;
}

const kFocusInsideMs = 100;

function openModal(dialog, first) {
  const before = dialog.ownerDocument.activeElement;
  // The news already told goes: as the page behind comes back, a screen reader takes it for new.
  dialog.ownerDocument.getElementById('news')?.replaceChildren();
  dialog.showModal();
  // The dialog itself takes the focus first, so that a screen reader in a
  // page speaks it whole even when the card it leaves has gone from its view.
  dialog.tabIndex = -1;
  dialog.focus();
  setTimeout(() => dialog.open && first.focus(), kFocusInsideMs);
  return before;
}

// "Ja" (the default) or "Nee".
export function askQuestion(document, texts, answered) {
  const dialog = document.getElementById('winQuestion');
  setText(document, 'winTitle', texts.winTitle);
  setText(document, 'winPrompt', texts.winPrompt);
  const yes = setText(document, 'cmdJa', texts.yes.replace('&', ''));
  const no = setText(document, 'cmdNee', texts.no.replace('&', ''));
  dialog.setAttribute('aria-labelledby', 'winTitle');
  dialog.setAttribute('aria-describedby', 'winPrompt');
  const before = openModal(dialog, yes);
  const answer = (value) => {
    yes.onclick = no.onclick = dialog.oncancel = dialog.onclose = dialog.onkeydown = null;
    dialog.close();
    answered(value, before);
  };
  yes.onclick = () => answer(true);
  no.onclick = () => answer(false);
  // Return before "Ja" has the focus answers it all the same: it is the default.
  dialog.onkeydown = (event) => {
    if (event.key === 'Enter' && event.target === dialog) {
      event.preventDefault();
      answer(true);
    }
  };
  // Esc answers "Nee", as the desktop's question takes it.
  dialog.oncancel = (event) => {
    event.preventDefault();
    answer(false);
  };
}

// OK, Enter and Esc close it; the page's game is untouched.
export function showAbout(document, texts, closed) {
  const dialog = document.getElementById('frmOver');
  const ids = { lblTitle: 'aboutTitle', lblVersion: 'aboutVersion', 'Credits-0': 'aboutAuthor',
    'Credits-1': 'aboutCopyright', 'Credits-2': 'aboutDedication', cmdOK: 'aboutOk' };
  for (const [id, key] of Object.entries(ids))
    setText(document, id, texts[key]);
  document.getElementById('Picture1')?.querySelector('img')?.setAttribute('alt', texts.aboutLogo);
  dialog.setAttribute('aria-label', texts.aboutCaption);
  // Said with the dialog's name as the focus comes in, as the question's prompt is.
  dialog.setAttribute('aria-describedby', 'lblTitle lblVersion');
  const ok = document.getElementById('cmdOK');
  const before = openModal(dialog, ok);
  const close = () => {
    ok.onclick = dialog.oncancel = dialog.onkeydown = null;
    dialog.close();
    closed(before);
  };
  ok.onclick = close;
  dialog.oncancel = (event) => { event.preventDefault(); close(); };
  dialog.onkeydown = (event) => {
    if (event.key === 'Enter') {
      event.preventDefault();
      close();
    }
  };
}
