// The menu bar "Spel" and "Help", each a drop-down of one item, captions
// from the engine with their access keys underlined (Alt+letter opens).
function caption(element, text) {
  const at = text.indexOf('&');
  element.textContent = '';
  if (at < 0) {
    element.append(text.replace('&', ''));
    return '';
  }
  const key = element.ownerDocument.createElement('u');
  key.textContent = text[at + 1];
  element.append(text.slice(0, at), key, text.slice(at + 2));
  return text[at + 1].toLowerCase();
}

export class MenuBar {
  constructor(document, texts, actions) {
    this.doc = document;
    this.bar = document.getElementById('menubar');
    this.bar.setAttribute('role', 'menubar');
    this.menus = [];
    this.returnTo = null;
    this.add('mnuSpel', texts.menuGame, [['mnuSpelNieuw', texts.menuNewGame, 'F2', actions.newGame]]);
    this.add('mnuHelp', texts.menuHelp, [['mnuHelpOver', texts.menuAbout, '', actions.about]]);
    document.addEventListener('keydown', (event) => this.key(event));
    document.addEventListener('pointerdown', (event) => {
      if (!this.bar.contains(event.target))
        this.closeAll(false);
    });
  }

  add(id, text, items) {
    const title = this.doc.getElementById(id) ?? this.doc.createElement('button');
    title.id = id;
    title.type = 'button';
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'menu');
    title.setAttribute('aria-expanded', 'false');
    title.tabIndex = -1;
    const accessKey = caption(title, text);
    const list = this.doc.createElement('div');
    list.id = `${id}Menu`;
    list.setAttribute('role', 'menu');
    list.className = 'menu';
    list.hidden = true;
    const entries = items.map(([itemId, itemText, shortcut, action]) => {
      const item = this.doc.getElementById(itemId) ?? this.doc.createElement('button');
      item.id = itemId;
      item.type = 'button';
      item.setAttribute('role', 'menuitem');
      item.tabIndex = -1;
      const label = this.doc.createElement('span');
      caption(label, itemText);
      item.replaceChildren(label);
      if (shortcut) {
        const key = this.doc.createElement('span');
        key.className = 'shortcut';
        key.setAttribute('aria-hidden', 'true');  // aria-keyshortcuts tells it
        key.textContent = shortcut;
        item.append(key);
        item.setAttribute('aria-keyshortcuts', shortcut);
      }
      item.onclick = () => {
        this.closeAll(false);
        action();
      };
      list.append(item);
      return item;
    });
    const holder = this.doc.createElement('div');
    holder.className = 'menuholder';
    holder.append(title, list);
    this.bar.append(holder);
    const menu = { title, list, entries, accessKey };
    title.onclick = () => (list.hidden ? this.open(menu) : this.closeAll(true));
    this.menus.push(menu);
  }

  open(menu) {
    if (!this.menus.some((other) => !other.list.hidden))
      this.returnTo = this.doc.activeElement;
    for (const other of this.menus)
      this.shut(other);
    menu.list.hidden = false;
    menu.title.setAttribute('aria-expanded', 'true');
    menu.entries[0].focus();
  }

  shut(menu) {
    menu.list.hidden = true;
    menu.title.setAttribute('aria-expanded', 'false');
  }

  closeAll(giveBack) {
    const wasOpen = this.menus.some((menu) => !menu.list.hidden);
    for (const menu of this.menus)
      this.shut(menu);
    if (wasOpen && giveBack)
      this.returnTo?.focus();
  }

  get isOpen() { return this.menus.some((menu) => !menu.list.hidden); }

  key(event) {
    if (this.doc.querySelector('dialog[open]'))
      return;
    if (event.altKey && !event.ctrlKey && !event.metaKey) {
      const menu = this.menus.find((one) => one.accessKey && event.key.toLowerCase() === one.accessKey);
      if (menu) {
        event.preventDefault();
        this.open(menu);
      }
      return;
    }
    const at = this.menus.findIndex((menu) => !menu.list.hidden);
    if (at < 0)
      return;
    if (event.key === 'Escape') {
      event.preventDefault();
      this.closeAll(true);
    } else if (event.key === 'ArrowLeft' || event.key === 'ArrowRight') {
      event.preventDefault();
      const next = (at + (event.key === 'ArrowRight' ? 1 : this.menus.length - 1)) % this.menus.length;
      this.open(this.menus[next]);
    } else if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
      event.preventDefault();
    }
  }
}
