// The fleet page: the signs from /api/v1/signs as cards, refreshed every two seconds;
// previews reloaded when a sign's message changes; a tag filter; a form that posts a
// text to a sign or a tag with the bearer token the user types (kept for this tab only).
"use strict";

const api = "/api/v1";
let activeTag = "";
const shown = new Map();  // sign name -> {card, messageId}

function element(tag, attributes, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes || {})) node.setAttribute(name, value);
  for (const child of children) node.append(child);
  return node;
}

function stateOf(sign) {
  if (sign.queue_length > 0) return ["busy", sign.queue_length + " queued"];
  if (sign.last_result === "sent") return ["sent", "sent"];
  if (sign.last_result === "failed") return ["failed", "failed"];
  return ["", "nothing sent yet"];
}

function linkText(sign) {
  return sign.link.transport === "tcp" ? sign.link.tcp + ":" + sign.link.port : sign.link.serial + " at " + sign.link.baud;
}

function card(sign) {
  const [kind, label] = stateOf(sign);
  const image = element("img", {alt: "Preview of " + sign.name, src: api + "/signs/" + encodeURIComponent(sign.name) + "/preview.png?frame=1&t=" + encodeURIComponent(sign.current_message_id || "none")});
  const meta = element("div", {class: "meta"}, element("span", {}, "model " + sign.model), element("span", {}, linkText(sign)));
  for (const tag of sign.tags) meta.append(element("span", {class: "tag"}, tag));
  if (sign.last_success) meta.append(element("span", {}, "last sent " + new Date(sign.last_success).toLocaleString()));
  const node = element("article", {class: "card", "data-sign": sign.name, "data-tags": sign.tags.join(" ")},
    element("div", {class: "top"}, element("h3", {}, sign.name), element("span", {class: "state " + kind}, label)),
    element("div", {class: "matrix"}, image), meta);
  if (sign.last_error) node.append(element("p", {class: "error"}, sign.last_error));
  if (sign.current_command) node.append(element("code", {}, sign.current_command));
  node.hidden = activeTag !== "" && !sign.tags.includes(activeTag);
  return node;
}

function renderTags(tags) {
  const nav = document.getElementById("tags");
  nav.replaceChildren();
  for (const tag of ["", ...tags]) {
    const button = element("button", {type: "button", "aria-pressed": String(tag === activeTag)}, tag === "" ? "All signs" : tag);
    button.addEventListener("click", () => {
      activeTag = tag;
      renderTags(tags);
      for (const {card: node} of shown.values()) node.hidden = tag !== "" && !node.dataset.tags.split(" ").includes(tag);
    });
    nav.append(button);
  }
}

function renderTargets(signs, tags) {
  const select = document.getElementById("target");
  const previous = select.value;
  select.replaceChildren();
  const signGroup = element("optgroup", {label: "Sign"});
  for (const sign of signs) signGroup.append(element("option", {value: "signs/" + sign.name}, sign.name));
  const tagGroup = element("optgroup", {label: "Every sign tagged"});
  for (const tag of tags) tagGroup.append(element("option", {value: "tags/" + tag}, tag));
  select.append(signGroup, tagGroup);
  if ([...select.options].some(option => option.value === previous)) select.value = previous;
}

async function refresh() {
  let signs;
  try {
    const response = await fetch(api + "/signs", {cache: "no-store"});
    signs = (await response.json()).signs;
  } catch (error) {
    document.getElementById("summary").textContent = "The gateway does not answer: " + error.message;
    return;
  }
  const tags = [...new Set(signs.flatMap(sign => sign.tags))].sort();
  const failed = signs.filter(sign => sign.last_result === "failed").length;
  document.getElementById("summary").textContent =
    signs.length + " signs, " + failed + " failed, " + signs.reduce((sum, sign) => sum + sign.queue_length, 0) + " messages queued";
  const list = document.getElementById("signs");
  const names = new Set(signs.map(sign => sign.name));
  for (const [name, entry] of shown) if (!names.has(name)) { entry.card.remove(); shown.delete(name); }
  for (const sign of signs) {
    const fresh = card(sign);
    const old = shown.get(sign.name);
    if (old && old.messageId === sign.current_message_id) fresh.querySelector("img").replaceWith(old.card.querySelector("img"));
    if (old) old.card.replaceWith(fresh); else list.append(fresh);
    shown.set(sign.name, {card: fresh, messageId: sign.current_message_id});
  }
  if (document.getElementById("tags").childElementCount !== tags.length + 1) renderTags(tags);
  if (document.getElementById("target").options.length !== signs.length + tags.length) renderTargets(signs, tags);
}

async function send(event) {
  event.preventDefault();
  const result = document.getElementById("send-result");
  const button = event.target.querySelector("button");
  const token = document.getElementById("token").value;
  sessionStorage.setItem("gateway-token", token);
  // A message of one run: the text as typed, in size 1 and the chosen colour.
  const message = {lines: [[{text: document.getElementById("text").value, size: 1, color: document.getElementById("color").value}]]};
  const headers = {"Content-Type": "application/json"};
  if (token) headers.Authorization = "Bearer " + token;
  button.disabled = true;
  try {
    const response = await fetch(api + "/" + document.getElementById("target").value.split("/").map(encodeURIComponent).join("/") + "/messages",
                                 {method: "POST", headers, body: JSON.stringify(message)});
    const answer = await response.json();
    if (response.ok) {
      result.className = "ok";
      result.textContent = "Queued for " + answer.messages.map(message => message.sign).join(", ") + ".";
    } else {
      result.className = "bad";
      result.textContent = (response.status === 401 ? "The token is missing or wrong. " : "") + answer.detail;
    }
  } catch (error) {
    result.className = "bad";
    result.textContent = "The gateway does not answer: " + error.message;
  } finally {
    button.disabled = false;
  }
  refresh();
}

document.getElementById("token").value = sessionStorage.getItem("gateway-token") || "";
document.getElementById("send-form").addEventListener("submit", send);
refresh();
setInterval(refresh, 2000);
